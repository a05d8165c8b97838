#include "discovery/GitUserConfiguration.h"

#include "discovery/FileAccess.h"
#include "discovery/GitEnvironmentConfig.h"
#include "discovery/RepositoryConfig.h"

namespace gitenv {

namespace {

bool isTrue(const std::optional<QByteArray>& value) {
    if (!value) return false;
    const QByteArray v = value->toLower();
    return v == "1" || v == "true" || v == "yes" || v == "on";
}

} // namespace

QList<ConfigEntry> userConfiguration(const QList<QByteArray>& base) {
    const QByteArray home = variable(base, "HOME").value_or(QByteArray());
    QList<ConfigEntry> entries;
    auto add = [&](const QByteArray& path) { entries += readConfigWithIncludes(path, home).entries; };
    if (!isTrue(variable(base, "GIT_CONFIG_NOSYSTEM"))) {
        add(variable(base, "GIT_CONFIG_SYSTEM").value_or(QByteArrayLiteral("/etc/gitconfig")));
    }
    if (const auto global = variable(base, "GIT_CONFIG_GLOBAL")) {
        add(*global);
    } else {
        const QByteArray xdg = variable(base, "XDG_CONFIG_HOME").value_or(QByteArray());
        if (!xdg.isEmpty()) add(fileaccess::join(xdg, "git/config"));
        else if (!home.isEmpty()) add(fileaccess::join(home, ".config/git/config"));
        if (!home.isEmpty()) add(fileaccess::join(home, ".gitconfig"));
    }
    for (const ConfigPair& pair : configFromEnvironment(base)) {
        // Canonical form: section and key in lower case, the subsection as given.
        const qsizetype first = pair.first.indexOf('.');
        const qsizetype last = pair.first.lastIndexOf('.');
        ConfigEntry entry;
        entry.name = pair.first.left(first).toLower() + pair.first.mid(first, last - first) +
                     pair.first.mid(last).toLower();
        entry.value = pair.second;
        entries.append(entry);
    }
    return entries;
}

std::optional<QByteArray> lastValue(const QList<ConfigEntry>& entries, const QByteArray& name) {
    std::optional<QByteArray> value;
    for (const ConfigEntry& entry : entries) {
        if (entry.name == name) value = entry.value.value_or(QByteArray());
    }
    return value;
}

} // namespace gitenv
