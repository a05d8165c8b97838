#pragma once

#include <QByteArray>
#include <optional>

// How many folders the program watches at most, all repositories and the root together. The
// kernel's limit (fs.inotify.max_user_watches) is shared by every program of the user, so
// the budget keeps well inside it.
namespace watchbudget {

inline constexpr int kMaximum = 8192;
// Without a readable limit: the kernel's smallest default.
inline constexpr int kFallbackLimit = 8192;

// The limit as /proc/sys/fs/inotify/max_user_watches holds it; nothing when unreadable.
std::optional<int> parseLimit(const QByteArray& text);
std::optional<int> systemLimit();
// A quarter of the system's limit, at most kMaximum.
int budgetFor(std::optional<int> limit);
int defaultBudget();

} // namespace watchbudget
