#pragma once

#include "discovery/FolderMarkers.h"
#include "model/ProjectType.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>

// What the kind rules see of one folder.
struct ManifestFolder {
    QByteArray path;       // the folder as shown
    QByteArray accessPath; // the same folder, short enough for any system call
    FolderMarkers markers;
    // Manifests of folders above this one are read up to this folder and no higher (a Cargo
    // workspace's version); empty: none above is read.
    QByteArray within;
};

struct KindReading {
    ProjectType type = ProjectType::unknown;
    std::optional<QString> name; // absent: the folder's name stands
    std::optional<QString> version;
};

// The rules that decide a folder's kind, tested in order; the first whose marker the folder
// holds and whose manifest confirms it wins, and only its manifests are read. Every kind but
// Unknown has exactly one rule.
namespace projectkinds {

// Every marker some rule tests.
std::uint32_t markerMask();

// The folder's kind, name and version; nothing when no rule applies.
std::optional<KindReading> read(const ManifestFolder& folder);

} // namespace projectkinds
