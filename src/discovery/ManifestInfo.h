#pragma once

#include <QString>
#include <optional>

// What a manifest reader found: name and version as written, and the framework flags of the
// manifests that tell one kind from another (package.json: React Native, Next.js;
// pubspec.yaml: Flutter).
struct ManifestInfo {
    std::optional<QString> name;
    std::optional<QString> version;
    bool isReactNative = false;
    bool isNextJS = false;
    bool isFlutter = false;

    friend bool operator==(const ManifestInfo&, const ManifestInfo&) = default;
};
