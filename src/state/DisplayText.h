#pragma once

#include <QString>
#include <optional>

// Texts from scanned folders (names, versions, branches, remotes, paths) as the views get them:
// at most `displayTextLimit` characters, the rest replaced by an ellipsis, so a hostile or
// broken manifest cannot make the views lay out megabytes of text. The same capped value
// serves the on-screen text and its tooltip.
inline constexpr qsizetype displayTextLimit = 1000;

QString displayText(const QString& text);
std::optional<QString> displayText(const std::optional<QString>& text);
