// CMakeLists.txt and meson.build readers on arbitrary bytes (the first byte chooses which).
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArrayView input = fuzzsupport::view(data, size);
    const bool meson = fuzzsupport::take<uint8_t>(input) & 1;
    const std::optional<ManifestInfo> info = meson ? parseMesonBuildData(input) : parseCMakeListsData(input);
    if (!info) return 0;
    // Only a project() call makes a project, and it names nothing empty.
    fuzzsupport::check(input.toByteArray().toLower().contains("project"));
    for (const std::optional<QString>& field : {info->name, info->version}) {
        if (field) fuzzsupport::check(!field->isEmpty());
    }
    return 0;
}
