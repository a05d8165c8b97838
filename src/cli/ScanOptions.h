#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

enum class ColorMode { never, automatic, always };

struct ScanOptions {
    QByteArray folder; // absolute, as the file system's bytes
    int maxDepth = 10;
    QString format = QStringLiteral("table");
    bool attention = false; // list only the projects that need attention
    bool fetch = false;     // fetch every repository before reading its state
    bool watch = false;     // keep running and print each project whose state changes
    bool cached = false;    // print the results the window stored for FOLDER, without scanning
    bool pull = false;      // fast-forward every eligible repository instead of listing projects
    ColorMode color = ColorMode::automatic;
    int jobs = 0; // git processes side by side; 0: one per online processor, at most 16
    // The progress line on standard error: shown when it is a terminal, or as asked.
    enum class Progress { whenTerminal, always, never } progress = Progress::whenTerminal;
    bool help = false;
    bool version = false;
};

struct ScanOptionsResult {
    std::optional<ScanOptions> options;
    std::string error; // set when options is empty
};

// Parses the command line; the folder is made absolute against the current directory.
ScanOptionsResult parseScanOptions(const std::vector<std::string>& args, const QStringList& formats);

// "/a//b/./c/" gives "/a/b/c"; a relative path is taken against `cwd`. ".." is kept,
// since a symbolic link before it decides where it leads.
QByteArray absoluteFolderPath(const QByteArray& path, const QByteArray& cwd);
