#include "discovery/WatchBudget.h"

#include "discovery/FileAccess.h"

#include <algorithm>

namespace watchbudget {

std::optional<int> parseLimit(const QByteArray& text) {
    bool ok = false;
    const qlonglong value = text.trimmed().toLongLong(&ok);
    if (!ok || value <= 0) return std::nullopt;
    return int(std::min<qlonglong>(value, 1 << 30));
}

std::optional<int> systemLimit() {
    const std::optional<QByteArray> text = fileaccess::readRegularFile("/proc/sys/fs/inotify/max_user_watches", 64);
    return text ? parseLimit(*text) : std::nullopt;
}

int budgetFor(std::optional<int> limit) { return std::max(1, std::min(kMaximum, limit.value_or(kFallbackLimit) / 4)); }

int defaultBudget() { return budgetFor(systemLimit()); }

} // namespace watchbudget
