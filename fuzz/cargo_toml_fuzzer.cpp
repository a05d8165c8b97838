// Cargo.toml reader (toml++) on arbitrary bytes.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const CargoManifest cargo = parseCargoTomlData(fuzzsupport::view(data, size));
    // Package fields come from [package], the shared version from [workspace].
    if (cargo.name || cargo.version || cargo.inheritsVersion) fuzzsupport::check(cargo.hasPackage);
    if (cargo.workspaceVersion) fuzzsupport::check(cargo.isWorkspace);
    // A version is either written or inherited.
    fuzzsupport::check(!(cargo.version && cargo.inheritsVersion));
    return 0;
}
