// pom.xml reader on arbitrary bytes.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ManifestInfo info = parsePomXMLData(fuzzsupport::view(data, size));
    // Captures are "[^<]+": never empty, never holding "<".
    for (const std::optional<QString>& field : {info.name, info.version}) {
        if (field) fuzzsupport::check(!field->isEmpty() && !field->contains(QLatin1Char('<')));
    }
    fuzzsupport::check(!info.isNextJS && !info.isReactNative);
    return 0;
}
