#include "cli/TerminalText.h"

#include <QTextBoundaryFinder>
#include <QVector>

#include <sys/ioctl.h>
#include <unistd.h>
#include <unicode/uchar.h>

namespace terminaltext {

namespace {

bool isBidiControl(char32_t c) {
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E || c == 0x200F ||
           c == 0x061C;
}

bool needsEscape(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x2028 || c == 0x2029 || isBidiControl(c);
}

QString escapeOf(char32_t c) {
    if (c <= 0xFF) return QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    return QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
}

// Display width of the whole grapheme clusters of `text`, in order.
struct Cluster {
    qsizetype start;
    qsizetype length;
    int width;
};

QVector<Cluster> clustersOf(const QString& text) {
    QVector<Cluster> out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = finder.toNextBoundary();
        if (end <= start) end = text.size();
        out.append({start, end - start, displayWidth(text.mid(start, end - start))});
        start = end;
    }
    return out;
}

} // namespace

QString scrubbed(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        if (c == U'\\') {
            out += QStringLiteral("\\\\");
        } else if (needsEscape(c)) {
            out += escapeOf(c);
        } else {
            out += QString::fromUcs4(&c, 1);
        }
    }
    return out;
}

int characterWidth(char32_t c) {
    if (needsEscape(c)) return 0;
    if (c >= 0x1160 && c <= 0x11FF) return 0; // Hangul medial vowels and final consonants
    if (c == 0x00AD) return 1;                // soft hyphen is shown
    switch (u_charType(UChar32(c))) {
    case U_NON_SPACING_MARK:
    case U_ENCLOSING_MARK:
    case U_FORMAT_CHAR:
        return 0;
    default:
        break;
    }
    const int eastAsian = u_getIntPropertyValue(UChar32(c), UCHAR_EAST_ASIAN_WIDTH);
    return (eastAsian == U_EA_WIDE || eastAsian == U_EA_FULLWIDTH) ? 2 : 1;
}

int displayWidth(const QString& text) {
    int width = 0;
    for (const char32_t c : text.toUcs4()) width += characterWidth(c);
    return width;
}

QString padded(const QString& text, int columns) {
    const int width = displayWidth(text);
    return width >= columns ? text : text + QString(columns - width, QLatin1Char(' '));
}

QString elidedMiddle(const QString& text, int columns) {
    if (displayWidth(text) <= columns) return text;
    const QString ellipsis = QStringLiteral("\u2026");
    if (columns < 1) return QString();
    const QVector<Cluster> clusters = clustersOf(text);
    const int room = columns - 1;
    const int tailRoom = room / 2;
    const int headRoom = room - tailRoom;
    qsizetype headEnd = 0;
    int used = 0;
    for (const Cluster& c : clusters) {
        if (used + c.width > headRoom) break;
        used += c.width;
        headEnd = c.start + c.length;
    }
    // The tail takes what the head left over as well (a wide character may not fit exactly).
    int tailUsed = 0;
    qsizetype tailStart = text.size();
    for (auto it = clusters.crbegin(); it != clusters.crend(); ++it) {
        if (it->start < headEnd || used + tailUsed + it->width > room) break;
        tailUsed += it->width;
        tailStart = it->start;
    }
    return text.left(headEnd) + ellipsis + text.mid(tailStart);
}

QString elidedStart(const QString& text, int columns) {
    if (displayWidth(text) <= columns) return text;
    if (columns < 1) return QString();
    const QVector<Cluster> clusters = clustersOf(text);
    int used = 0;
    qsizetype tailStart = text.size();
    for (auto it = clusters.crbegin(); it != clusters.crend() && used + it->width <= columns - 1; ++it) {
        used += it->width;
        tailStart = it->start;
    }
    return QStringLiteral("\u2026") + text.mid(tailStart);
}

QString elidedEnd(const QString& text, int columns) {
    if (displayWidth(text) <= columns) return text;
    if (columns < 1) return QString();
    int used = 0;
    qsizetype headEnd = 0;
    for (const Cluster& c : clustersOf(text)) {
        if (used + c.width > columns - 1) break;
        used += c.width;
        headEnd = c.start + c.length;
    }
    return text.left(headEnd) + QStringLiteral("\u2026");
}

std::optional<int> terminalColumns(int fd) {
    if (!::isatty(fd)) return std::nullopt;
    struct winsize size {};
    if (::ioctl(fd, TIOCGWINSZ, &size) != 0 || size.ws_col == 0) return std::nullopt;
    return int(size.ws_col);
}

std::optional<int> columnsSetting(const char* value) {
    if (!value || !*value) return std::nullopt;
    int columns = 0;
    for (const char* c = value; *c; ++c) {
        if (*c < '0' || *c > '9') return std::nullopt;
        columns = columns * 10 + (*c - '0');
        if (columns > 65535) return std::nullopt;
    }
    if (columns < 1) return std::nullopt;
    return columns;
}

std::optional<int> outputColumns(int fd, const char* columnsVariable) {
    if (!::isatty(fd)) return std::nullopt;
    if (const std::optional<int> set = columnsSetting(columnsVariable)) return set;
    return terminalColumns(fd);
}

} // namespace terminaltext
