#pragma once

#include "model/GitRemote.h"
#include "model/GitState.h"
#include "model/ProjectType.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <QUuid>
#include <optional>

// A snapshot of one project folder as the scanner saw it. Created whole, never edited:
// a refresh replaces the value with a freshly detected one (new id).
struct Project {
    QUuid id;
    QString name;
    // The folder's absolute path as the file system's bytes; names that are not valid
    // UTF-8 stay intact here. Use pathText() for anything shown or compared as text.
    QByteArray path;
    ProjectType type = ProjectType::unknown;
    std::optional<QString> version;
    std::optional<QDateTime> lastModified;
    std::optional<QString> gitBranch;
    QList<GitRemote> remotes;
    bool hasUncommittedChanges = false;
    bool hasGit = false;
    // What git told beyond the fields above; absent when hasGit is false.
    std::optional<GitState> git;
    // For a project without a ".git" of its own inside a repository's work tree: that
    // repository's folder.
    std::optional<QByteArray> repository;

    friend bool operator==(const Project&, const Project&) = default;

    // The path as text; invalid UTF-8 sequences become replacement characters.
    QString pathText() const;

    // "Unknown" when lastModified is absent (or outside the years 1 to 9999), else the full-style relative text
    // ("2 hours ago", "in 3 days") against the current time in the user's locale.
    QString lastModifiedText() const;
    QString lastModifiedText(const QDateTime& now, const QLocale& locale) const;
};

size_t qHash(const Project& project, size_t seed = 0) noexcept;
