// The Rust reader: Cargo.toml as TOML.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"
#include "discovery/TomlDocument.h"

CargoManifest parseCargoTomlData(QByteArrayView bytes) {
    CargoManifest cargo;
    const std::optional<tomldocument::Document> doc = tomldocument::parse(manifesttext::withoutBom(bytes));
    if (!doc) return cargo;
    const auto package = doc->root()["package"];
    cargo.hasPackage = package.is_table();
    if (cargo.hasPackage) {
        cargo.name = doc->string(package["name"]);
        const auto version = package["version"];
        cargo.version = doc->string(version);
        // `version.workspace = true` and `version = { workspace = true }` are the same table.
        cargo.inheritsVersion = version["workspace"].value<bool>() == true;
    }
    const auto workspace = doc->root()["workspace"];
    cargo.isWorkspace = workspace.is_table();
    if (cargo.isWorkspace) cargo.workspaceVersion = doc->string(workspace["package"]["version"]);
    return cargo;
}
