#include "state/DisplayText.h"

QString displayText(const QString& text) {
    if (text.size() <= displayTextLimit) return text;
    qsizetype cut = displayTextLimit - 1;
    // Never split a surrogate pair.
    if (text.at(cut - 1).isHighSurrogate()) --cut;
    return text.left(cut) + QChar(0x2026);
}

std::optional<QString> displayText(const std::optional<QString>& text) {
    if (!text) return std::nullopt;
    return displayText(*text);
}
