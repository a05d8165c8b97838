// pom.xml reader on arbitrary bytes: as XML, or by first match when it is not well-formed.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ManifestInfo info = parsePomXMLData(fuzzsupport::view(data, size));
    // An empty element counts as absent, in both readings.
    for (const std::optional<QString>& field : {info.name, info.version}) {
        if (field) fuzzsupport::check(!field->isEmpty());
    }
    fuzzsupport::check(!info.isNextJS && !info.isReactNative && !info.isFlutter);
    return 0;
}
