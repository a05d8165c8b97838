#include "state/SettingsFile.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>


namespace settingsfile {

QString applicationFileName() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/Codeorchardist/Codeorchardist.conf");
}

Opened open(const QString& fileName) {
    const QByteArray path = QFile::encodeName(fileName);
    struct stat st;
    if (::stat(path.constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) {
            return {nullptr, QStringLiteral("The settings file %1 is not a regular file; the chosen folder "
                                            "is not remembered.").arg(fileName)};
        }
        if (st.st_size > kMaxBytes) {
            return {nullptr, QStringLiteral("The settings file %1 is damaged (%2 bytes, far more than it can "
                                            "hold) and was not read; the chosen folder is not remembered.")
                                 .arg(fileName)
                                 .arg(qint64(st.st_size))};
        }
    }
    return {std::make_shared<QSettings>(fileName, QSettings::IniFormat), QString()};
}

} // namespace settingsfile
