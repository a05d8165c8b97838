#include "state/FolderUrl.h"

#include <QString>

QUrl folderUrl(const QByteArray& path) {
    const QString text = QString::fromUtf8(path);
    if (text.toUtf8() == path) return QUrl::fromLocalFile(text);
    return QUrl::fromEncoded("file://" + path.toPercentEncoding("/"), QUrl::StrictMode);
}

std::optional<QByteArray> localFolderPath(const QUrl& url) {
    if (!url.isValid() || !url.isLocalFile() || !url.host().isEmpty()) return std::nullopt;
    QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!path.startsWith('/') || path.contains('\0')) return std::nullopt;
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    return path;
}
