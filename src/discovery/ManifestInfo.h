#pragma once

#include <QString>
#include <optional>

// What a manifest reader found: name and version as written, and, for package.json only,
// whether the project depends on React Native or Next.js.
struct ManifestInfo {
    std::optional<QString> name;
    std::optional<QString> version;
    bool isReactNative = false;
    bool isNextJS = false;

    friend bool operator==(const ManifestInfo&, const ManifestInfo&) = default;
};
