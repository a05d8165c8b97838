#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Strict UTF-8 check: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);

// The bytes as text, or nothing when they are not valid UTF-8.
std::optional<QString> decodeUtf8(QByteArrayView bytes);

// The bytes as text that tells apart any two different byte strings: well-formed UTF-8 decodes
// as usual, and each byte outside it becomes the lone surrogate U+DC80 to U+DCFF (a byte below
// 0x80 is always well-formed). Meant for keys and identities, not for display.
QString decodeUtf8KeepingBytes(QByteArrayView bytes);
