#pragma once

#include "discovery/RepositoryConfigParser.h"

#include <QByteArray>
#include <QList>
#include <optional>

namespace gitenv {

// The user's own configuration as git reads it for a run with environment `base`: the system
// file (unless GIT_CONFIG_NOSYSTEM), the global files (GIT_CONFIG_GLOBAL, or the XDG file and
// ~/.gitconfig), with their includes, then the command-line entries the environment carries.
QList<ConfigEntry> userConfiguration(const QList<QByteArray>& base);

// The last value of the canonical `name` (a key without value reads as empty).
std::optional<QByteArray> lastValue(const QList<ConfigEntry>& entries, const QByteArray& name);

} // namespace gitenv
