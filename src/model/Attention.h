#pragma once

#include "model/Project.h"

#include <QList>
#include <QString>
#include <QStringList>

// Why a repository needs its owner's attention, in the order they are reported.
enum class AttentionReason { uncommitted, unpushed, behind, noUpstream, detached, stash, operation, problem };

// "uncommitted", "unpushed", "behind", "no-upstream", "detached", "stash", "operation", "problem".
QString attentionKey(AttentionReason reason);
// A short phrase for people: "uncommitted changes", "unpushed commits", ...
QString attentionText(AttentionReason reason);

// The reasons that hold for the project, in declaration order; empty for a project without
// git. A repository without remotes is not flagged for having no upstream, nor is a detached
// HEAD, a repository without commits or a bare repository (a mirror tracks nothing). A detached
// HEAD is flagged on its own (commits made there belong to no branch), except while an operation
// that detaches it (a rebase, a bisect) runs.
QList<AttentionReason> attentionReasons(const Project& project);
bool needsAttention(const Project& project);
// The keys of attentionReasons().
QStringList attentionKeys(const Project& project);
