// go.mod reader on arbitrary bytes.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::optional<QString> name = parseGoModData(fuzzsupport::view(data, size));
    // One element of the path: never empty, never holding a separator or a line break.
    if (name) fuzzsupport::check(!name->isEmpty() && !name->contains(QLatin1Char('/')) && !name->contains(QLatin1Char('\n')));
    return 0;
}
