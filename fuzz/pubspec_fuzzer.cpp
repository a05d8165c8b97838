// pubspec.yaml reader on arbitrary bytes.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ManifestInfo info = parsePubspecData(fuzzsupport::view(data, size));
    // Scalars of one line, never empty.
    for (const std::optional<QString>& field : {info.name, info.version}) {
        if (field) fuzzsupport::check(!field->isEmpty() && !field->contains(QLatin1Char('\n')));
    }
    fuzzsupport::check(!info.isNextJS && !info.isReactNative);
    return 0;
}
