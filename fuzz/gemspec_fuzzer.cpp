// gemspec reader on arbitrary bytes; composer.json reader on the same input.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ManifestInfo info = parseGemspecData(fuzzsupport::view(data, size));
    // Quoted literals of one line, never empty, holding no quote.
    for (const std::optional<QString>& field : {info.name, info.version}) {
        if (!field) continue;
        fuzzsupport::check(!field->isEmpty() && !field->contains(QLatin1Char('\n')));
        fuzzsupport::check(!field->contains(QLatin1Char('"')) && !field->contains(QLatin1Char('\'')));
    }
    const ManifestInfo composer = parseComposerJsonData(fuzzsupport::view(data, size));
    fuzzsupport::check(!composer.isNextJS && !composer.isReactNative && !composer.isFlutter);
    return 0;
}
