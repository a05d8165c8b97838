#pragma once

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>

// Helpers for tests that build real folders and real git repositories.
namespace testfolders {

// A temporary folder removed at the end of the test; path() is absolute bytes.
class TempTree {
public:
    TempTree();
    QByteArray path() const;
    // Creates folders and parents below the root; returns the absolute path.
    QByteArray mkdir(const QByteArray& relative) const;
    // Writes a file below the root (parents created); returns the absolute path.
    QByteArray write(const QByteArray& relative, const QByteArray& content) const;

private:
    QTemporaryDir m_dir;
};

// Runs /usr/bin/git with `args` in `folder` with a fixed identity and, when given, a fixed
// commit date (GIT_AUTHOR_DATE and GIT_COMMITTER_DATE). Fails the test when git fails.
QByteArray git(const QByteArray& folder, const QStringList& args, const QByteArray& date = {});

// The same as git() for a command that may fail (a conflicting merge): its exit status.
int gitMayFail(const QByteArray& folder, const QStringList& args);

// "git init" plus one commit of everything in the folder, made at `date` ("2026-01-31T09:15:00Z").
// An executable shell script `name` in `tree` running `body`; its path.
QByteArray writeScript(const TempTree& tree, const QByteArray& name, const QByteArray& body);

void initRepository(const QByteArray& folder, const QByteArray& date = "2026-01-31T09:15:00Z");

} // namespace testfolders
