// Gradle reader. The input holds the settings file, the build file and gradle.properties,
// separated by zero bytes.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto [settings, rest] = fuzzsupport::splitAtZero(fuzzsupport::view(data, size));
    std::optional<QByteArray> build;
    std::optional<QByteArray> properties;
    if (rest) std::tie(build, properties) = fuzzsupport::splitAtZero(*rest);
    const ManifestInfo info = parseGradleData(settings, build, properties);
    // Quoted literals and property values: one line, never empty; the name holds no quote.
    for (const std::optional<QString>& field : {info.name, info.version}) {
        if (field) fuzzsupport::check(!field->isEmpty() && !field->contains(QLatin1Char('\n')));
    }
    if (info.name) fuzzsupport::check(!info.name->contains(QLatin1Char('"')) && !info.name->contains(QLatin1Char('\'')));
    return 0;
}
