// package.json reader on arbitrary bytes.
#include "FuzzSupport.h"

#include "discovery/ManifestReaders.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input = fuzzsupport::view(data, size);
    const ManifestInfo info = parsePackageJSONData(input);
    // A leading byte order mark changes nothing.
    fuzzsupport::check(parsePackageJSONData(QByteArray("\xEF\xBB\xBF") + input.toByteArray()) == info);
    return 0;
}
