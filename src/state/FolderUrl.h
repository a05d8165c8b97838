#pragma once

#include <QByteArray>
#include <QUrl>
#include <optional>

// The file URL of a folder given as file-system bytes. Bytes that are not UTF-8 are kept as
// percent-encoded bytes, so localFolderPath() gives back exactly the same path.
QUrl folderUrl(const QByteArray& path);

// The absolute file-system path of a local file URL, without trailing slashes (except for
// "/" itself); none for URLs that are not local, carry a host, or hold no absolute path.
std::optional<QByteArray> localFolderPath(const QUrl& url);
