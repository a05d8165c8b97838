#pragma once

#include <QString>
#include <optional>

// Text bound for a terminal: what it may contain, how many columns it takes, and how it is
// shortened to fit.
namespace terminaltext {

// `text` with every character that a terminal would act on instead of showing written out:
// C0 and C1 controls and DEL as "\xNN", line and paragraph separators and the bidirectional
// embedding, override and isolate controls as "\uNNNN", and the backslash itself as "\\", so the
// escapes cannot be confused with text. Everything else is kept as it is.
QString scrubbed(const QString& text);

// Columns one character takes, by the rules terminals follow (wcwidth): 0 for combining and
// enclosing marks, format characters, Hangul medial and final jamo; 2 for East Asian wide and
// fullwidth characters; 1 for the rest. Controls count 0; scrub them first.
int characterWidth(char32_t c);

// Columns `text` takes on a terminal.
int displayWidth(const QString& text);

// `text` followed by spaces up to `columns` display columns (unchanged when already as wide).
QString padded(const QString& text, int columns);

// `text` shortened in the middle with "…" to at most `columns` display columns; whole
// characters with their combining marks are kept on either side. Unchanged when it fits.
QString elidedMiddle(const QString& text, int columns);
// The same shortened at the start ("…code/express": the end is kept) or at the end ("2 modi…").
QString elidedStart(const QString& text, int columns);
QString elidedEnd(const QString& text, int columns);

// The width of the terminal on file descriptor `fd`; empty when `fd` is not a terminal
// (a pipe or a file) or reports no size.
std::optional<int> terminalColumns(int fd);

// The value of a COLUMNS variable as a width: a whole number from 1 to 65535, written in decimal
// digits alone; empty for anything else (unset, empty, "0", "80x", " 80").
std::optional<int> columnsSetting(const char* value);

// The width output to `fd` is fitted to: none when `fd` is not a terminal (a pipe or a file is
// never cut); else `columnsVariable` when it is a valid setting; else the terminal's own width.
std::optional<int> outputColumns(int fd, const char* columnsVariable);

} // namespace terminaltext
