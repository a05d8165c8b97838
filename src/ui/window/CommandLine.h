#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// The program's arguments: `codeorchardist [FOLDER]` and `codeorchardist --screenshot DIR [FOLDER]`.
struct CommandLine {
    QString folder;        // absolute, clean path of FOLDER; "" when not given
    QString screenshotDir; // "" unless in capture mode
    QSize captureSize{1280, 820}; // --size WxH, capture mode only
    bool help = false;
    QString error;         // one line for standard error; the program exits with status 2

    bool captureMode() const { return !screenshotDir.isEmpty(); }

    // Parses the arguments after the program name. FOLDER must be an existing folder.
    // `--size WxH` (capture mode) takes whole numbers from the window's minimum, 1000 x 700,
    // up to 8000 x 8000.
    static CommandLine parse(const QStringList& arguments);
    static QString usage();
};
