#include "state/FolderBookmark.h"

#include <QtEndian>

#include <sys/stat.h>

#include <cstring>

namespace folderbookmark {

namespace {

constexpr char kMagic[8] = {'C', 'O', 'B', 'O', 'O', 'K', 'M', 'K'};
constexpr quint16 kVersion = 1;
constexpr qsizetype kHeaderSize = 8 + 2 + 8 + 8 + 4;
static_assert(kHeaderSize + kMaxPathLength == kMaxSize);

struct Identity {
    quint64 device = 0;
    quint64 inode = 0;
};

bool isUsablePath(const QByteArray& path) {
    return !path.isEmpty() && path.startsWith('/') && !path.contains('\0') && path.size() < kMaxPathLength;
}

std::optional<Identity> folderIdentity(const QByteArray& path) {
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::nullopt;
    return Identity{quint64(st.st_dev), quint64(st.st_ino)};
}

template <typename T>
void appendBigEndian(QByteArray& out, T value) {
    char bytes[sizeof(T)];
    qToBigEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

template <typename T>
T readBigEndian(const char* at) {
    return qFromBigEndian<T>(at);
}

} // namespace

std::optional<QByteArray> create(const QByteArray& folder) {
    if (!isUsablePath(folder)) return std::nullopt;
    const std::optional<Identity> identity = folderIdentity(folder);
    if (!identity) return std::nullopt;
    QByteArray data;
    data.reserve(kHeaderSize + folder.size());
    data.append(kMagic, sizeof(kMagic));
    appendBigEndian<quint16>(data, kVersion);
    appendBigEndian<quint64>(data, identity->device);
    appendBigEndian<quint64>(data, identity->inode);
    appendBigEndian<quint32>(data, quint32(folder.size()));
    data.append(folder);
    return data;
}

namespace {

struct Parsed {
    Identity identity;
    QByteArray path;
};

std::optional<Parsed> parse(const QByteArray& data) {
    if (data.size() < kHeaderSize || data.size() > kMaxSize) return std::nullopt;
    const char* bytes = data.constData();
    if (std::memcmp(bytes, kMagic, sizeof(kMagic)) != 0) return std::nullopt;
    if (readBigEndian<quint16>(bytes + 8) != kVersion) return std::nullopt;
    const Identity stored{readBigEndian<quint64>(bytes + 10), readBigEndian<quint64>(bytes + 18)};
    const quint32 length = readBigEndian<quint32>(bytes + 26);
    if (length >= quint32(kMaxPathLength) || quint64(data.size() - kHeaderSize) != length) return std::nullopt;

    QByteArray path = data.mid(kHeaderSize);
    if (!isUsablePath(path)) return std::nullopt;
    return Parsed{stored, std::move(path)};
}

} // namespace

std::optional<Resolution> resolve(const QByteArray& data) {
    const std::optional<Parsed> parsed = parse(data);
    if (!parsed) return std::nullopt;
    const std::optional<Identity> current = folderIdentity(parsed->path);
    if (!current) return std::nullopt;
    const bool stale = current->device != parsed->identity.device || current->inode != parsed->identity.inode;
    return Resolution{parsed->path, stale};
}

std::optional<QByteArray> storedPath(const QByteArray& data) {
    const std::optional<Parsed> parsed = parse(data);
    if (!parsed) return std::nullopt;
    return parsed->path;
}

} // namespace folderbookmark
