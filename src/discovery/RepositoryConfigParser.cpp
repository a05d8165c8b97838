#include "discovery/RepositoryConfigParser.h"

namespace {

// git's own character classes, independent of the locale.
bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isAlpha(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isKeyChar(int c) { return isAlpha(c) || (c >= '0' && c <= '9') || c == '-'; }
char lower(int c) { return char((c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c); }

constexpr int kEndOfFile = -1;
constexpr qsizetype kMaxEntries = 20000;

// Reads characters as git's get_next_char does: "\r\n" reads as '\n', and the end of the
// text reads as a final '\n' with `eof` set.
class Reader {
public:
    explicit Reader(const QByteArray& text) : m_text(text) {}

    int next() {
        int c = raw();
        if (c == '\r') {
            const int following = raw();
            if (following == '\n') {
                c = '\n';
            } else if (following != kEndOfFile) {
                --m_pos;
            }
        }
        if (c == kEndOfFile) {
            eof = true;
            return '\n';
        }
        return c;
    }

    bool eof = false;

private:
    int raw() { return m_pos < m_text.size() ? static_cast<unsigned char>(m_text[m_pos++]) : kEndOfFile; }

    const QByteArray& m_text;
    qsizetype m_pos = 0;
};

// After "[section": the quoted subsection and the closing bracket.
bool readExtendedSection(Reader& in, QByteArray& name, int c) {
    do {
        if (c == '\n') return false;
        c = in.next();
    } while (isSpace(c));
    if (c != '"') return false;
    name += '.';
    for (;;) {
        c = in.next();
        if (c == '\n') return false;
        if (c == '"') break;
        if (c == '\\') {
            c = in.next();
            if (c == '\n') return false;
        }
        name += char(c);
    }
    return in.next() == ']';
}

// The section header after '[' up to and including ']'.
bool readSection(Reader& in, QByteArray& name) {
    for (;;) {
        const int c = in.next();
        if (in.eof) return false;
        if (c == ']') return true;
        if (isSpace(c)) return readExtendedSection(in, name, c);
        if (!isKeyChar(c) && c != '.') return false;
        name += lower(c);
    }
}

// The value after '=' up to the end of its (possibly continued) line.
std::optional<QByteArray> readValue(Reader& in) {
    QByteArray value;
    bool quote = false;
    bool comment = false;
    int spaces = 0;
    for (;;) {
        int c = in.next();
        if (c == '\n') {
            if (quote) return std::nullopt;
            return value;
        }
        if (comment) continue;
        if (isSpace(c) && !quote) {
            if (!value.isEmpty()) ++spaces;
            continue;
        }
        if (!quote && (c == ';' || c == '#')) {
            comment = true;
            continue;
        }
        for (; spaces > 0; --spaces) value += ' ';
        if (c == '\\') {
            c = in.next();
            switch (c) {
            case '\n': continue; // a continuation line (or a backslash at the end of the text)
            case 't': c = '\t'; break;
            case 'b': c = '\b'; break;
            case 'n': c = '\n'; break;
            case '\\':
            case '"': break;
            default: return std::nullopt;
            }
            value += char(c);
            continue;
        }
        if (c == '"') {
            quote = !quote;
            continue;
        }
        value += char(c);
    }
}

} // namespace

QByteArray ConfigEntry::section() const {
    const qsizetype dot = name.indexOf('.');
    return dot < 0 ? name : name.left(dot);
}

QByteArray ConfigEntry::subsection() const {
    const qsizetype first = name.indexOf('.');
    const qsizetype last = name.lastIndexOf('.');
    if (first < 0 || last <= first) return {};
    return name.mid(first + 1, last - first - 1);
}

QByteArray ConfigEntry::key() const {
    const qsizetype last = name.lastIndexOf('.');
    return last < 0 ? name : name.mid(last + 1);
}

bool ConfigEntry::hasSubsection() const { return name.indexOf('.') != name.lastIndexOf('.'); }

std::optional<QList<ConfigEntry>> parseGitConfig(const QByteArray& text) {
    static const QByteArray bom("\xEF\xBB\xBF");
    // A byte order mark is skipped; a partial one is refused, as git does.
    const bool hasBom = text.startsWith(bom);
    if (!hasBom && !text.isEmpty() && static_cast<unsigned char>(text[0]) == 0xEF) return std::nullopt;
    const QByteArray body = hasBom ? text.mid(bom.size()) : text;

    Reader in(body);
    QList<ConfigEntry> entries;
    QByteArray section;
    bool comment = false;
    for (;;) {
        int c = in.next();
        if (c == '\n') {
            if (in.eof) return entries;
            comment = false;
            continue;
        }
        if (comment || isSpace(c)) continue;
        if (c == '#' || c == ';') {
            comment = true;
            continue;
        }
        if (c == '[') {
            section.clear();
            if (!readSection(in, section) || section.isEmpty()) return std::nullopt;
            section += '.';
            continue;
        }
        if (!isAlpha(c)) return std::nullopt;

        ConfigEntry entry;
        entry.name = section;
        entry.name += lower(c);
        for (;;) {
            c = in.next();
            if (in.eof || !isKeyChar(c)) break;
            entry.name += lower(c);
        }
        while (c == ' ' || c == '\t') c = in.next();
        if (c != '\n') {
            if (c != '=') return std::nullopt;
            entry.value = readValue(in);
            if (!entry.value) return std::nullopt;
        }
        // git hands names and values on as C strings: a NUL byte ends them.
        if (const qsizetype nul = entry.name.indexOf('\0'); nul >= 0) entry.name.truncate(nul);
        if (entry.value) {
            if (const qsizetype nul = entry.value->indexOf('\0'); nul >= 0) entry.value->truncate(nul);
        }
        entries.append(std::move(entry));
        if (entries.size() > kMaxEntries) return std::nullopt;
        if (in.eof) return entries;
    }
}
