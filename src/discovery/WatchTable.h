#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSet>

#include <optional>

// What a watched folder is to the repository (or the root) that asked for it.
enum class WatchRole {
    gitFolder, // a git folder: HEAD, the index, packed refs, FETCH_HEAD, an operation's files
    gitRefs,   // refs/ or one of its subfolders
    workTree,  // a working-tree folder holding tracked files
    root,      // a folder the walk of the root visited, outside every repository
};

struct WatchOwner {
    QByteArray key; // the repository's project folder; "" for the root's folders
    WatchRole role = WatchRole::workTree;
    friend bool operator==(const WatchOwner&, const WatchOwner&) = default;
};

// The watch descriptors in use and whom each one serves. One folder can serve several owners
// (a linked worktree and its main repository share the common git folder), and the kernel
// gives the same descriptor for it each time, so a descriptor ends only with its last owner.
class WatchTable {
public:
    struct Entry {
        QByteArray path;
        QList<WatchOwner> owners;
    };

    // Records that `wd` (watching `path`) serves `owner`; true when the descriptor is new.
    bool add(int wd, const QByteArray& path, const WatchOwner& owner);
    const Entry* find(int wd) const;
    // Forgets `key` as an owner (of `role` only, when given); the descriptors left without any
    // owner, which the caller ends.
    QList<int> release(const QByteArray& key, std::optional<WatchRole> role = std::nullopt);
    // The kernel ended the watch: forgets it and yields whom it served.
    QList<WatchOwner> drop(int wd);
    // Every descriptor, for ending them all.
    QList<int> descriptors() const { return m_entries.keys(); }
    void clear();

    int size() const { return int(m_entries.size()); }
    // How many descriptors serve `key`.
    int countFor(const QByteArray& key) const { return int(m_byKey.value(key).size()); }

private:
    QHash<int, Entry> m_entries;
    QHash<QByteArray, QSet<int>> m_byKey;
};
