// pyproject.toml / setup.py reader. The input up to its first zero byte is pyproject.toml,
// the rest (if any) setup.py.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto [pyproject, setupPy] = fuzzsupport::splitAtZero(fuzzsupport::view(data, size));
    const ManifestInfo info = parsePythonProjectData(pyproject, setupPy);
    // pyproject.toml alone decides when it yields anything.
    const ManifestInfo tomlOnly = parsePythonProjectData(pyproject, std::nullopt);
    if (tomlOnly.name || tomlOnly.version) fuzzsupport::check(tomlOnly == info);
    // setup.py's keyword arguments are quoted, non-empty and hold no quote.
    else if (setupPy) {
        for (const std::optional<QString>& field : {info.name, info.version}) {
            if (!field) continue;
            fuzzsupport::check(!field->isEmpty());
            fuzzsupport::check(!field->contains(QLatin1Char('"')) && !field->contains(QLatin1Char('\'')));
        }
    }
    return 0;
}
