#include "discovery/GitSync.h"

#include "model/RemoteUrl.h"

#include <QRegularExpression>

QString syncResultKey(SyncResult result) {
    switch (result) {
    case SyncResult::pulled: return QStringLiteral("pulled");
    case SyncResult::pushed: return QStringLiteral("pushed");
    case SyncResult::fetched: return QStringLiteral("fetched");
    case SyncResult::upToDate: return QStringLiteral("up-to-date");
    case SyncResult::skipped: return QStringLiteral("skipped");
    case SyncResult::failed: return QStringLiteral("failed");
    }
    return {};
}

namespace gitsync {

namespace {
constexpr qsizetype kNamedFiles = 3;
}

QStringList overwrittenFiles(const QByteArray& errorOutput) {
    QStringList files;
    bool inList = false;
    for (const QByteArray& line : errorOutput.split('\n')) {
        if (line.contains("would be overwritten by")) {
            inList = true;
            continue;
        }
        if (!inList) continue;
        if (!line.startsWith('\t')) {
            inList = false;
            continue;
        }
        const QString name = QString::fromUtf8(line.trimmed());
        if (!name.isEmpty() && !files.contains(name)) files.append(name);
    }
    return files;
}

QString overwrittenMessage(const QStringList& files) {
    QString message = QStringLiteral("Local changes would be overwritten");
    if (files.isEmpty()) return message;
    QStringList named = files.mid(0, kNamedFiles);
    if (files.size() > kNamedFiles) named.append(QStringLiteral("and %1 more").arg(files.size() - kNamedFiles));
    return message + QStringLiteral(": ") + named.join(QStringLiteral(", "));
}

QString withoutSecrets(const QString& line) {
    // Words that look like URLs with a user part are redacted; the rest of the line stays.
    static const QRegularExpression url(QStringLiteral("[A-Za-z][A-Za-z0-9+.-]*://[^\\s'\"]+"));
    QString out;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& m : url.globalMatch(line)) {
        out += line.mid(last, m.capturedStart() - last);
        out += redactedUrl(m.captured());
        last = m.capturedEnd();
    }
    return out + line.mid(last);
}

} // namespace gitsync
