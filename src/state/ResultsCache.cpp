#include "state/ResultsCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <sys/stat.h>

namespace {

// Reads at most `limit` bytes of a regular file; nothing when more stand there.
std::optional<QByteArray> readBounded(const QString& fileName, qint64 limit) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    struct stat st;
    if (::fstat(file.handle(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_size > limit) return std::nullopt;
    QByteArray bytes = file.read(limit + 1);
    if (bytes.size() > limit) return std::nullopt;
    return bytes;
}

} // namespace

QString ResultsCache::defaultFolder() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + QStringLiteral("/.cache");
    return base + QStringLiteral("/codeorchardist");
}

ResultsCache::ResultsCache(QString folder) : m_folder(std::move(folder)) {
    m_writer.setMaxThreadCount(1);
    m_writer.setObjectName(QStringLiteral("ResultsCacheWriter"));
}

ResultsCache::~ResultsCache() { m_writer.waitForDone(); }

QString ResultsCache::fileName(const QByteArray& root) const {
    const QByteArray hash = QCryptographicHash::hash(root, QCryptographicHash::Sha256).toHex().left(32);
    return m_folder + QLatin1Char('/') + QString::fromLatin1(hash) + QStringLiteral(".results");
}

std::optional<resultsformat::StoredResults> ResultsCache::read(const QByteArray& root) const {
    const std::optional<QByteArray> bytes = readBounded(fileName(root), resultsformat::kMaxBytes);
    if (!bytes) return std::nullopt;
    return resultsformat::decode(*bytes, root);
}

bool ResultsCache::write(const resultsformat::StoredResults& results) const {
    if (!QDir().mkpath(m_folder)) return false;
    // The folder is ours alone, whoever made it first.
    ::chmod(QFile::encodeName(m_folder).constData(), S_IRWXU);
    QSaveFile file(fileName(results.root));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0) {
        file.cancelWriting();
        return false;
    }
    file.write(resultsformat::encode(results));
    return file.commit();
}

void ResultsCache::writeLater(resultsformat::StoredResults results) {
    m_writer.start([this, results = std::move(results)] { write(results); });
}

void ResultsCache::waitForWrites() { m_writer.waitForDone(); }
