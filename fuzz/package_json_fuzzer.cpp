// package.json reader on arbitrary bytes.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input = fuzzsupport::view(data, size);
    const ManifestInfo info = parsePackageJSONData(input);
    // A byte order mark put in front changes nothing (only one mark is skipped, so only when
    // the input has none of its own).
    if (!input.startsWith(QByteArrayView("\xEF\xBB\xBF")))
        fuzzsupport::check(parsePackageJSONData(QByteArray("\xEF\xBB\xBF") + input.toByteArray()) == info);
    return 0;
}
