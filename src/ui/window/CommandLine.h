#pragma once

#include <QString>
#include <QStringList>

// The program's arguments: `codeorchardist [FOLDER]` and `codeorchardist --screenshot DIR [FOLDER]`.
struct CommandLine {
    QString folder;        // absolute, clean path of FOLDER; "" when not given
    QString screenshotDir; // "" unless in capture mode
    bool help = false;
    QString error;         // one line for standard error; the program exits with status 2

    bool captureMode() const { return !screenshotDir.isEmpty(); }

    // Parses the arguments after the program name. FOLDER must be an existing folder.
    static CommandLine parse(const QStringList& arguments);
    static QString usage();
};
