// .NET project file reader on arbitrary bytes.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<QString> version = parseDotnetVersionData(fuzzsupport::view(data, size));
    if (version) fuzzsupport::check(!version->isEmpty()); // an empty <Version> counts as absent
    return 0;
}
