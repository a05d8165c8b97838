#pragma once

#include <QByteArray>
#include <QList>

// The environments git runs in, so that a scanned repository cannot make git run a program
// of its choosing and cannot be answered for by another repository.
//
// Only the user's own global and system configuration and the inherited environment may
// name programs; the forced keys are given through git's GIT_CONFIG_COUNT entries, after any
// inherited ones, so they win over every configuration file and over "git -c" settings the
// application was started with.
namespace gitenv {

// The process's environment made safe for any git run:
// - the variables that choose a repository or its files (GIT_DIR, GIT_WORK_TREE,
//   GIT_INDEX_FILE, GIT_OBJECT_DIRECTORY, GIT_COMMON_DIR, GIT_NAMESPACE, GIT_CEILING_DIRECTORIES
//   and their kin) are removed;
// - inherited configuration entries are kept when well formed (GIT_CONFIG_PARAMETERS turned
//   into counted entries), a malformed set is dropped whole;
// - PATH loses its empty and relative entries (they would name the repository's own files);
// - GIT_OPTIONAL_LOCKS=0 and the forced keys: core.fsmonitor=false, core.hooksPath=/dev/null,
//   log.showSignature=false, log.mailmap=false, core.pager=cat (and GIT_PAGER=cat), no
//   submodule recursion, protocol.ext.allow=never.
QList<QByteArray> baseEnvironment(const QList<QByteArray>& inherited);

// `base` plus what one repository folder needs: git's discovery stops at the folder
// (GIT_CEILING_DIRECTORIES is its parent; a bare repository is named by GIT_DIR), every filter driver the repository's own
// configuration (with its includes) or the configuration of a submodule kept in its
// "modules" folder names has the clean, smudge and process commands set there replaced by
// empty ones and required=false (where the user's own configuration defines a driver of that
// name, by the user's values), every submodule those or ".gitmodules" name is ignored,
// prompts are off, and no transport is allowed (so a partial clone cannot fetch a missing
// object through a transport the repository configures).
QList<QByteArray> forRepository(const QList<QByteArray>& base, const QByteArray& folder);

// forRepository plus what a fetch needs: no terminal prompt, batch-mode ssh unless the user
// (environment, global or system configuration) chose an ssh command, no askpass program
// unless the user chose one, and the repository's own core.sshCommand, core.askPass,
// credential helpers, core.gitProxy, remote helper paths and alternate-refs command overridden
// with the user's choice or a harmless value. A repository that names an upload-pack or a
// receive-pack program cannot fetch or push over the local transport (git keeps the first such program it reads). The
// transports are the user's again (GIT_ALLOW_PROTOCOL as inherited, without "ext").
QList<QByteArray> forFetch(const QList<QByteArray>& base, const QByteArray& folder);

} // namespace gitenv
