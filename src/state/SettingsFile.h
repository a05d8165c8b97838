#pragma once

#include <QSettings>
#include <QString>
#include <memory>

// The settings file that holds the root folder. QSettings reads a whole file as soon as it is
// constructed, so a file far larger than any we write (a damaged or hostile one) is refused
// before that, by its size alone.
namespace settingsfile {

// Our file holds one bookmark and one path, a few kilobytes at most.
inline constexpr qint64 kMaxBytes = 1024 * 1024;

// The application's own file: $XDG_CONFIG_HOME (else ~/.config)/Codeorchardist/Codeorchardist.conf.
QString applicationFileName();

struct Opened {
    // None when the file was refused; nothing is then read or written.
    std::shared_ptr<QSettings> settings;
    // Why it was refused, for the user; "" when opened.
    QString problem;
};

// Opens `fileName` in INI format unless something other than a regular file stands there or
// it is larger than kMaxBytes. A missing file is fine: it is created when first written.
Opened open(const QString& fileName);

} // namespace settingsfile
