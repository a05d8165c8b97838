#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// Strict UTF-8 check: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(QByteArrayView bytes);

// The bytes as text, or nothing when they are not valid UTF-8.
std::optional<QString> decodeUtf8(QByteArrayView bytes);
