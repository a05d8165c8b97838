#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Checks, without running git, that a project folder's repository files are safe to hand to
// git: the ".git" entry is a folder or a "gitdir:" file, and each file git opens for the
// scan's commands and a fetch is a regular file or a folder when it exists: HEAD, the branch
// it names and that branch's loose commit, the index, the configuration and every file it
// includes, packed refs, packs, commit graphs, alternates, legacy remote files, the ignore and
// attribute files at the top of the working tree and those the configuration names. A FIFO or
// a device there would keep git waiting (or reading) until its time limit. Returns a message
// for the user, nothing when all is fine (also for a folder without ".git").
std::optional<QString> gitPreflightProblem(const QByteArray& folder);
