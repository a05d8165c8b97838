#pragma once

#include <QByteArray>
#include <QList>
#include <QSize>
#include <QString>

// The program's arguments: `codeorchardist [FOLDER]` and `codeorchardist --screenshot DIR [FOLDER]`.
// Arguments are taken as argv gives them, as bytes, so that a FOLDER whose name is not valid
// UTF-8 (or not valid in the locale's encoding) is still the folder it names.
struct CommandLine {
    QByteArray folder;     // absolute, clean path of FOLDER as file-system bytes; empty when not given
    QString screenshotDir; // "" unless in capture mode
    QSize captureSize{1280, 820}; // --size WxH, capture mode only
    bool help = false;
    bool version = false;
    QString error;         // one line for standard error; the program exits with status 2

    bool captureMode() const { return !screenshotDir.isEmpty(); }

    // Parses the arguments after the program name. FOLDER must be an existing folder.
    // `--size WxH` (capture mode) takes whole numbers from the window's minimum, 1000 x 700,
    // up to 8000 x 8000. With --help or --version the other arguments are not checked further
    // (an unknown option is still an error).
    static CommandLine parse(const QList<QByteArray>& arguments);
    static QString usage();
    // What --help prints: the usage, the options and the exit statuses.
    static QString helpText();
};
