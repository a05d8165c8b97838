// The byte-keeping UTF-8 decoding that node paths use, on arbitrary bytes.
#include "FuzzSupport.h"

#include "discovery/Utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes = fuzzsupport::view(data, size);
    const QString text = decodeUtf8KeepingBytes(bytes);
    // Never more code units than bytes; valid UTF-8 decodes as usual.
    fuzzsupport::check(text.size() <= bytes.size());
    if (isValidUtf8(bytes)) fuzzsupport::check(text == QString::fromUtf8(bytes));
    // Two inputs that differ only in their last byte stay apart.
    if (!bytes.isEmpty()) {
        QByteArray other = bytes.toByteArray();
        other.back() = char(other.back() ^ 0x01);
        fuzzsupport::check(decodeUtf8KeepingBytes(other) != text);
    }
    return 0;
}
