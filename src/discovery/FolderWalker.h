#pragma once

#include "discovery/FolderMarkers.h"

#include <QByteArray>

#include <atomic>
#include <functional>

// What the walk knows of one folder when it visits it.
struct FolderVisit {
    QByteArray path;       // absolute, as the file-system's bytes; may be longer than PATH_MAX
    QByteArray accessPath; // a path to the same folder short enough for any system call
    FolderMarkers markers;
    bool listed = false;   // its listing was read (else the markers were tested one by one)
};

// Walks a folder tree depth-first in pre-order: a folder is visited, then each of its subfolders
// in listing order, down to `maxDepth` (the root is depth 0). Hidden entries, the scanner's
// skipped names and symbolic links are not entered below the root, and a bare repository is
// not entered at all.
//
// Every folder is opened relative to its parent's open descriptor, so the depth of a tree in
// bytes is not limited by the longest path the system accepts. A folder whose listing cannot
// be read is still visited (its markers tested one by one), and its subtree is left out.
//
// With more than one thread, a second thread walks subtrees the calling thread has not reached
// yet; the visits are still made on the calling thread, in the same order.
class FolderWalker {
public:
    using Visitor = std::function<void(const FolderVisit&)>;

    // `stop` is looked at before each folder: once true, the walk ends without more visits.
    FolderWalker(const std::atomic<bool>* stop, Visitor visit, int threads = 1);

    void walk(const QByteArray& root, int maxDepth);

    // Tests the fixed-name markers by path, following symbolic links like any existence test
    // (patterns such as "*.csproj" need a listing).
    static FolderMarkers probeMarkers(const QByteArray& folder);

private:
    const std::atomic<bool>* m_stop;
    Visitor m_visit;
    int m_threads;
};
