#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <optional>

// The configuration entries git takes from its environment, and the environment list
// helpers the git environment builders share.
namespace gitenv {

using ConfigPair = QPair<QByteArray, QByteArray>; // key, value
using ConfigPairs = QList<ConfigPair>;

// The well-formed configuration an environment hands to git, in git's order: the
// GIT_CONFIG_COUNT / GIT_CONFIG_KEY_n / GIT_CONFIG_VALUE_n entries, then GIT_CONFIG_PARAMETERS
// (the form "git -c" leaves). A malformed count, a missing key or value, or a malformed
// parameter text is dropped whole, as are entries whose key git would refuse. A key given
// without a value in GIT_CONFIG_PARAMETERS becomes "true".
ConfigPairs configFromEnvironment(const QList<QByteArray>& environment);

// Replaces every configuration variable of `environment` with GIT_CONFIG_COUNT entries for
// `pairs`, in order, so that the last value of a key wins.
void setConfig(QList<QByteArray>& environment, const ConfigPairs& pairs);

// Adds `pairs` after the configuration the environment already holds.
void appendConfig(QList<QByteArray>& environment, const ConfigPairs& pairs);

// True for the names git reads configuration from: GIT_CONFIG_PARAMETERS, GIT_CONFIG_COUNT,
// GIT_CONFIG_KEY_<n> and GIT_CONFIG_VALUE_<n>.
bool isConfigVariable(const QByteArray& name);

// A key as git accepts it on its command line: "section[.subsection].key".
bool isValidConfigKey(const QByteArray& key);

// The value of the first `name=` entry (the one getenv finds).
std::optional<QByteArray> variable(const QList<QByteArray>& environment, const QByteArray& name);
// Removes every `name=` entry and adds `name=value`.
void setVariable(QList<QByteArray>& environment, const QByteArray& name, const QByteArray& value);
void removeVariable(QList<QByteArray>& environment, const QByteArray& name);

// "NAME" of a "NAME=value" entry.
QByteArray variableName(const QByteArray& entry);

} // namespace gitenv
