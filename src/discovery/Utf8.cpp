#include "discovery/Utf8.h"

namespace {

// The length of the well-formed sequence that starts at `s` (at most `n` bytes available),
// or 0 when none does.
int sequenceLength(const unsigned char* s, qsizetype n) {
    const unsigned char c = s[0];
    if (c < 0x80) return 1;
    int len;
    unsigned char lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (n < len) return 0;
    if (s[1] < lo || s[1] > hi) return 0;
    for (int k = 2; k < len; ++k) {
        if ((s[k] & 0xC0) != 0x80) return 0;
    }
    return len;
}

} // namespace

bool isValidUtf8(QByteArrayView bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const int len = sequenceLength(s + i, n - i);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

QString decodeUtf8KeepingBytes(QByteArrayView bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    QString out;
    out.reserve(n);
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < n;) {
        const int len = sequenceLength(s + i, n - i);
        if (len > 0) {
            i += len;
            continue;
        }
        out += QString::fromUtf8(bytes.sliced(runStart, i - runStart));
        out += QChar(char16_t(0xDC00 + s[i]));
        runStart = ++i;
    }
    out += QString::fromUtf8(bytes.sliced(runStart));
    return out;
}

std::optional<QString> decodeUtf8(QByteArrayView bytes) {
    if (!isValidUtf8(bytes)) return std::nullopt;
    return QString::fromUtf8(bytes);
}
