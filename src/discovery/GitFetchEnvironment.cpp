#include "discovery/GitEnvironment.h"

#include "discovery/FileAccess.h"
#include "discovery/GitEnvironmentConfig.h"
#include "discovery/GitUserConfiguration.h"
#include "discovery/RepositoryConfig.h"

#include <QHash>

namespace gitenv {

namespace {

const QByteArray kBatchSsh = QByteArrayLiteral("ssh -o BatchMode=yes");

// Credential helpers by URL subsection ("" for the plain key); an empty value clears a list.
QHash<QByteArray, QList<QByteArray>> helpersBySubsection(const QList<ConfigEntry>& entries) {
    QHash<QByteArray, QList<QByteArray>> helpers;
    for (const ConfigEntry& entry : entries) {
        if (entry.section() != "credential" || entry.key() != "helper" || !entry.value) continue;
        QList<QByteArray>& list = helpers[entry.subsection()];
        if (entry.value->isEmpty()) list.clear();
        else list.append(*entry.value);
    }
    return helpers;
}

QByteArray shellQuoted(const QByteArray& word) {
    QByteArray out = "'";
    for (const char c : word) out += (c == '\'') ? QByteArrayLiteral("'\\''") : QByteArray(1, c);
    return out + '\'';
}

// The subsections of `section` whose entries set `key` in the repository's configuration.
QList<QByteArray> subsectionsSetting(const QList<ConfigEntry>& entries, const QByteArray& section,
                                     const QByteArray& key) {
    QList<QByteArray> names;
    for (const ConfigEntry& entry : entries) {
        if (entry.section() == section && entry.key() == key && !names.contains(entry.subsection())) {
            names.append(entry.subsection());
        }
    }
    return names;
}

} // namespace

QList<QByteArray> forFetch(const QList<QByteArray>& base, const QByteArray& folder) {
    QList<QByteArray> env = forRepository(base, folder);
    const LocatedRepository located = locateRepository(folder);
    QList<ConfigEntry> local;
    if (located.location) {
        local = readRepositoryConfig(*located.location, variable(base, "HOME").value_or(QByteArray())).entries;
    }
    const QList<ConfigEntry> user = userConfiguration(base);

    // ssh: GIT_SSH_COMMAND beats every configuration, so it carries the choice.
    if (!variable(base, "GIT_SSH_COMMAND")) {
        const std::optional<QByteArray> userSsh = lastValue(user, "core.sshcommand");
        const bool repositorySets = definesName(local, "core.sshcommand");
        if (userSsh) {
            if (repositorySets) setVariable(env, "GIT_SSH_COMMAND", *userSsh);
        } else if (const auto program = variable(base, "GIT_SSH")) {
            if (repositorySets) setVariable(env, "GIT_SSH_COMMAND", shellQuoted(*program));
        } else {
            setVariable(env, "GIT_SSH_COMMAND", kBatchSsh);
        }
    }
    // askpass: GIT_ASKPASS beats core.askPass, which beats SSH_ASKPASS; an empty one means none.
    if (!variable(base, "GIT_ASKPASS")) {
        const std::optional<QByteArray> userAskPass = lastValue(user, "core.askpass");
        if (definesName(local, "core.askpass")) setVariable(env, "GIT_ASKPASS", userAskPass.value_or(QByteArray()));
        else if (!userAskPass) setVariable(env, "GIT_ASKPASS", QByteArray());
    }
    // An empty GIT_PROXY_COMMAND makes git ignore every core.gitProxy.
    if (!variable(base, "GIT_PROXY_COMMAND") && definesName(local, "core.gitproxy")) {
        setVariable(env, "GIT_PROXY_COMMAND", QByteArray());
    }

    ConfigPairs overrides = {{"maintenance.auto", "false"}, {"gc.auto", "0"}};
    // An empty helper clears the list collected so far for an equally specific URL match;
    // the user's own helpers are then given again.
    const QHash<QByteArray, QList<QByteArray>> userHelpers = helpersBySubsection(user);
    for (const QByteArray& url : subsectionsSetting(local, "credential", "helper")) {
        const QByteArray key = url.isEmpty() ? QByteArrayLiteral("credential.helper") : "credential." + url + ".helper";
        overrides.append({key, {}});
        QList<QByteArray> again = userHelpers.value({});
        if (!url.isEmpty()) again += userHelpers.value(url);
        for (const QByteArray& helper : again) overrides.append({key, helper});
    }
    // git keeps the first upload-pack (receive-pack, for a push) program it reads for a remote,
    // so a later entry cannot replace the repository's; over a local transport that program
    // would run here.
    const bool namesUploadPack = !subsectionsSetting(local, "remote", "uploadpack").isEmpty() ||
                                 !subsectionsSetting(local, "remote", "receivepack").isEmpty();
    if (namesUploadPack) overrides.append(ConfigPair("protocol.file.allow", "never"));
    // The transports the user allows (GIT_ALLOW_PROTOCOL overrides every protocol setting),
    // less those that would run a program of the repository's.
    removeVariable(env, "GIT_NO_LAZY_FETCH");
    removeVariable(env, "GIT_ALLOW_PROTOCOL");
    if (const auto allowed = variable(base, "GIT_ALLOW_PROTOCOL")) {
        QList<QByteArray> kept;
        for (const QByteArray& protocol : allowed->split(':')) {
            if (protocol != "ext" && !(namesUploadPack && protocol == "file")) kept.append(protocol);
        }
        setVariable(env, "GIT_ALLOW_PROTOCOL", kept.join(':'));
    }
    if (const auto lazy = variable(base, "GIT_NO_LAZY_FETCH")) setVariable(env, "GIT_NO_LAZY_FETCH", *lazy);
    // A remote helper name with a slash would be run as a path relative to the working tree.
    for (const ConfigEntry& entry : local) {
        if (entry.section() == "remote" && entry.key() == "vcs" && entry.hasSubsection() && entry.value &&
            entry.value->contains('/')) {
            overrides.append({entry.name, {}});
        }
    }
    if (definesName(local, "core.alternaterefscommand")) overrides.append(ConfigPair("core.alternateRefsCommand", "true"));
    appendConfig(env, overrides);
    return env;
}

} // namespace gitenv
