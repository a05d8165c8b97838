#pragma once

#include "discovery/Utf8.h"

#include <QByteArrayView>
#include <QRegularExpression>
#include <QString>
#include <optional>

// Pieces the manifest readers share.
namespace manifesttext {

// A byte order mark some editors write at the start of UTF-8 files; it is no part of the text.
inline QByteArrayView withoutBom(QByteArrayView bytes) {
    constexpr QByteArrayView bom("\xEF\xBB\xBF");
    return bytes.startsWith(bom) ? bytes.sliced(bom.size()) : bytes;
}

// The file as text without its byte order mark; nothing when it is not valid UTF-8.
inline std::optional<QString> text(QByteArrayView bytes) { return decodeUtf8(withoutBom(bytes)); }

// "\s" means Unicode white space, line breaks included.
inline constexpr auto kPatternOptions = QRegularExpression::UseUnicodePropertiesOption;

// Capture group `group` of the first match anywhere in the text.
inline std::optional<QString> firstCapture(const QRegularExpression& re, const QString& text, int group = 1) {
    if (!re.isValid()) return std::nullopt;
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    return m.captured(group);
}

} // namespace manifesttext
