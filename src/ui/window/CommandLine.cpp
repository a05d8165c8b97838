#include "CommandLine.h"

#include <QDir>
#include <QFileInfo>

QString CommandLine::usage()
{
    return QStringLiteral("usage: codeorchardist [--screenshot DIR] [FOLDER]");
}

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine cl;
    QStringList positional;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                cl.error = QStringLiteral("codeorchardist: --screenshot needs a folder to write into");
                return cl;
            }
            cl.screenshotDir = QFileInfo(arguments.at(++i)).absoluteFilePath();
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            cl.help = true;
        } else if (arg == QLatin1String("--")) {
            positional.append(arguments.mid(i + 1));
            break;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            cl.error = QStringLiteral("codeorchardist: unknown option %1").arg(arg);
            return cl;
        } else {
            positional.append(arg);
        }
    }
    if (positional.size() > 1) {
        cl.error = QStringLiteral("codeorchardist: more than one folder given");
        return cl;
    }
    if (!positional.isEmpty()) {
        const QString given = positional.first();
        const QFileInfo info(given);
        if (given.isEmpty() || !info.exists()) {
            cl.error = QStringLiteral("codeorchardist: %1: no such folder").arg(given);
            return cl;
        }
        if (!info.isDir()) {
            cl.error = QStringLiteral("codeorchardist: %1: not a folder").arg(given);
            return cl;
        }
        cl.folder = QDir::cleanPath(info.absoluteFilePath());
    }
    return cl;
}
