#include "CommandLine.h"

#include <QDir>
#include <QFileInfo>

QString CommandLine::usage()
{
    return QStringLiteral("usage: codeorchardist [--screenshot DIR [--size WxH]] [FOLDER]");
}

CommandLine CommandLine::parse(const QStringList& arguments)
{
    CommandLine cl;
    QStringList positional;
    bool sizeGiven = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (arg == QLatin1String("--screenshot")) {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                cl.error = QStringLiteral("codeorchardist: --screenshot needs a folder to write into");
                return cl;
            }
            cl.screenshotDir = QFileInfo(arguments.at(++i)).absoluteFilePath();
        } else if (arg == QLatin1String("--size")) {
            const QStringList parts = i + 1 < arguments.size() ? arguments.at(++i).split(QLatin1Char('x')) : QStringList();
            bool okW = false;
            bool okH = false;
            const int w = parts.size() == 2 ? parts.at(0).toInt(&okW) : 0;
            const int h = parts.size() == 2 ? parts.at(1).toInt(&okH) : 0;
            if (!okW || !okH || w < 1000 || h < 700 || w > 8000 || h > 8000) {
                cl.error = QStringLiteral("codeorchardist: --size needs WxH, from 1000x700 up to 8000x8000");
                return cl;
            }
            cl.captureSize = QSize(w, h);
            sizeGiven = true;
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
    if (sizeGiven && cl.screenshotDir.isEmpty()) {
        cl.error = QStringLiteral("codeorchardist: --size is for --screenshot");
        return cl;
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
