#include "CommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// The path made absolute against the working folder, with "." and empty components removed
// and ".." taken lexically, as QDir::cleanPath does for text.
QByteArray absoluteCleanPath(const QByteArray& given)
{
    QByteArray path = given;
    if (!path.startsWith('/')) {
        char* cwd = ::getcwd(nullptr, 0);
        if (!cwd)
            return {};
        path = QByteArray(cwd) + '/' + path;
        ::free(cwd);
    }
    QList<QByteArray> kept;
    for (const QByteArray& piece : path.split('/')) {
        if (piece.isEmpty() || piece == ".")
            continue;
        if (piece == "..") {
            if (!kept.isEmpty())
                kept.removeLast();
            continue;
        }
        kept.append(piece);
    }
    return '/' + kept.join('/');
}

// A message text for an argument whatever its bytes: the locale's decoding, as the shell showed it.
QString shown(const QByteArray& argument) { return QFile::decodeName(argument); }

} // namespace

QString CommandLine::usage()
{
    return QStringLiteral("usage: codeorchardist [--screenshot DIR [--size WxH]] [FOLDER]");
}

QString CommandLine::helpText()
{
    return usage() + QStringLiteral(
        "\n"
        "\n"
        "Shows the software projects under FOLDER, or under the folder chosen last,\n"
        "and the state of each. A FOLDER is stored as if chosen in the folder dialog;\n"
        "when the window is already open, it takes the FOLDER and comes forward.\n"
        "\n"
        "Options:\n"
        "  --screenshot DIR  write a picture of every screen, light and dark, into DIR\n"
        "                    and exit; the stored settings are left alone\n"
        "  --size WxH        the window size of --screenshot, from 1000x700 up to\n"
        "                    8000x8000 (default 1280x820)\n"
        "  -h, --help        show this help and exit\n"
        "  --version         show the version and exit\n"
        "  --                what follows is the FOLDER, even when it starts with a dash\n"
        "\n"
        "Exit status:\n"
        "  0  the window was closed, or FOLDER was handed to the window already open\n"
        "  1  the window could not be shown, or a screenshot could not be written\n"
        "  2  a usage error, or a FOLDER that does not exist or is not a folder\n");
}

CommandLine CommandLine::parse(const QList<QByteArray>& arguments)
{
    CommandLine cl;
    QList<QByteArray> positional;
    bool sizeGiven = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QByteArray& arg = arguments.at(i);
        if (arg == "--screenshot") {
            if (i + 1 >= arguments.size() || arguments.at(i + 1).isEmpty()) {
                cl.error = QStringLiteral("codeorchardist: --screenshot needs a folder to write into");
                return cl;
            }
            cl.screenshotDir = QFileInfo(shown(arguments.at(++i))).absoluteFilePath();
        } else if (arg == "--size") {
            const QList<QByteArray> parts = i + 1 < arguments.size() ? arguments.at(++i).split('x') : QList<QByteArray>();
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
        } else if (arg == "-h" || arg == "--help") {
            cl.help = true;
        } else if (arg == "--version") {
            cl.version = true;
        } else if (arg == "--") {
            positional.append(arguments.mid(i + 1));
            break;
        } else if (arg.startsWith('-') && arg.size() > 1) {
            cl.error = QStringLiteral("codeorchardist: unknown option %1").arg(shown(arg));
            return cl;
        } else {
            positional.append(arg);
        }
    }
    if (cl.help || cl.version)
        return cl;
    if (sizeGiven && cl.screenshotDir.isEmpty()) {
        cl.error = QStringLiteral("codeorchardist: --size is for --screenshot");
        return cl;
    }
    if (positional.size() > 1) {
        cl.error = QStringLiteral("codeorchardist: more than one folder given");
        return cl;
    }
    if (!positional.isEmpty()) {
        const QByteArray& given = positional.first();
        struct stat st;
        if (given.isEmpty() || given.contains('\0') || ::stat(given.constData(), &st) != 0) {
            cl.error = QStringLiteral("codeorchardist: %1: no such folder").arg(shown(given));
            return cl;
        }
        if (!S_ISDIR(st.st_mode)) {
            cl.error = QStringLiteral("codeorchardist: %1: not a folder").arg(shown(given));
            return cl;
        }
        cl.folder = absoluteCleanPath(given);
        if (cl.folder.isEmpty())
            cl.error = QStringLiteral("codeorchardist: %1: no such folder").arg(shown(given));
    }
    return cl;
}
