#include "model/Project.h"

#include "model/DateRange.h"
#include "model/RelativeDateText.h"

#include <QHash>

namespace {
template <typename T>
size_t hashOptional(const std::optional<T>& value, size_t seed) {
    QtPrivate::QHashCombine combine;
    seed = combine(seed, value.has_value());
    if (value) seed = combine(seed, *value);
    return seed;
}
} // namespace

QString Project::pathText() const { return QString::fromUtf8(path); }

QString Project::lastModifiedText() const {
    return lastModifiedText(QDateTime::currentDateTimeUtc(), QLocale::system());
}

QString Project::lastModifiedText(const QDateTime& now, const QLocale& locale) const {
    if (!lastModified || !daterange::contains(*lastModified)) return QStringLiteral("Unknown");
    return relativeDateText(*lastModified, now, locale);
}

size_t qHash(const GitRemote& remote, size_t seed) noexcept {
    QtPrivate::QHashCombine combine;
    seed = combine(seed, remote.id);
    seed = combine(seed, remote.name);
    seed = combine(seed, remote.url);
    return seed;
}

size_t qHash(const Project& p, size_t seed) noexcept {
    QtPrivate::QHashCombine combine;
    seed = combine(seed, p.id);
    seed = combine(seed, p.name);
    seed = combine(seed, p.path);
    seed = combine(seed, p.type);
    seed = hashOptional(p.version, seed);
    seed = combine(seed, p.lastModified.has_value());
    if (p.lastModified) seed = combine(seed, p.lastModified->toMSecsSinceEpoch());
    seed = hashOptional(p.gitBranch, seed);
    for (const GitRemote& remote : p.remotes) seed = combine(seed, remote);
    seed = combine(seed, p.hasUncommittedChanges);
    seed = combine(seed, p.hasGit);
    seed = combine(seed, p.git.has_value());
    if (p.git) seed = combine(seed, *p.git);
    seed = hashOptional(p.repository, seed);
    return seed;
}
