#pragma once

#include "model/Project.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <optional>

// The stored results of one root folder's full scan, as bytes: a magic text, the format
// version, the root folder, the time of the scan and every field of every project. Decoding is
// strict: anything that is not exactly what encode() writes for that root gives nothing.
namespace resultsformat {

inline constexpr char kMagic[] = "CODEORCHARDIST-RESULTS\n";
inline constexpr quint32 kVersion = 1;
// Far above what any real tree gives (2,000 repositories are about 1 MiB).
inline constexpr qint64 kMaxBytes = 64 * 1024 * 1024;
inline constexpr quint32 kMaxProjects = 1'000'000;
inline constexpr quint32 kMaxRemotes = 10'000;

struct StoredResults {
    QByteArray root;
    QDateTime scanned;
    QList<Project> projects;
    friend bool operator==(const StoredResults&, const StoredResults&) = default;
};

QByteArray encode(const StoredResults& results);

// The results in `bytes` when they are ours, of this version, of `root`, complete and sound.
std::optional<StoredResults> decode(const QByteArray& bytes, const QByteArray& root);
// The same for any root (the fuzzer's and the tools' way in).
std::optional<StoredResults> decodeAnyRoot(const QByteArray& bytes);

} // namespace resultsformat
