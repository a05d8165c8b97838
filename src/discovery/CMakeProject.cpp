// The C/C++ reader for CMake: the project() command of CMakeLists.txt, found by reading the
// file as CMake's language (command invocations, comments, quoted and bracket arguments), so
// that a project( in a comment, a string or a longer command name does not count.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"

#include <QByteArrayList>

namespace {

bool isIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isIdentifier(char c) { return isIdentifierStart(c) || (c >= '0' && c <= '9'); }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Lexer {
public:
    explicit Lexer(QByteArrayView text) : m_text(text) {}

    // The arguments of the first project() command; nothing when there is none.
    std::optional<QByteArrayList> projectArguments() {
        while (skipSpaceAndComments(), m_pos < m_text.size()) {
            if (!isIdentifierStart(peek())) {
                skipLine(); // not a command: CMake would refuse the file; look further
                continue;
            }
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && isIdentifier(peek())) ++m_pos;
            const QByteArray name = m_text.sliced(start, m_pos - start).toByteArray().toLower();
            while (m_pos < m_text.size() && (peek() == ' ' || peek() == '\t')) ++m_pos;
            if (peek() != '(') {
                skipLine();
                continue;
            }
            ++m_pos;
            QByteArrayList args = arguments();
            if (name == "project") return args;
        }
        return std::nullopt;
    }

private:
    char peek(qsizetype ahead = 0) const { return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0'; }

    void skipLine() {
        while (m_pos < m_text.size() && peek() != '\n') ++m_pos;
    }

    // The length of "[==[" at the position (0 when there is none) and its number of "=".
    qsizetype bracketOpen(int& equals) const {
        if (peek() != '[') return 0;
        qsizetype i = 1;
        while (peek(i) == '=') ++i;
        if (peek(i) != '[') return 0;
        equals = int(i - 1);
        return i + 1;
    }

    // The content of a bracket argument or comment that opens here (the position moves past it).
    QByteArray bracket(qsizetype openLength, int equals) {
        m_pos += openLength;
        const QByteArray close = ']' + QByteArray(equals, '=') + ']';
        const qsizetype end = m_text.indexOf(close, m_pos);
        const qsizetype stop = end < 0 ? m_text.size() : end;
        QByteArray content = m_text.sliced(m_pos, stop - m_pos).toByteArray();
        m_pos = end < 0 ? m_text.size() : end + close.size();
        if (content.startsWith('\n')) content.remove(0, 1); // CMake drops a first line break
        return content;
    }

    void skipSpaceAndComments() {
        while (m_pos < m_text.size()) {
            if (isSpace(peek())) {
                ++m_pos;
            } else if (peek() == '#') {
                ++m_pos;
                int equals = 0;
                if (const qsizetype open = bracketOpen(equals)) bracket(open, equals);
                else skipLine();
            } else {
                return;
            }
        }
    }

    QByteArray quoted() {
        QByteArray out;
        ++m_pos;
        while (m_pos < m_text.size() && peek() != '"') {
            if (peek() == '\\' && m_pos + 1 < m_text.size()) {
                ++m_pos;
                if (peek() != '\n') out += peek(); // a backslash at the line end continues the line
            } else {
                out += peek();
            }
            ++m_pos;
        }
        ++m_pos;
        return out;
    }

    QByteArray unquoted() {
        QByteArray out;
        while (m_pos < m_text.size()) {
            const char c = peek();
            if (isSpace(c) || c == '(' || c == ')' || c == '#' || c == '"' || c == ';') break;
            if (c == '\\' && m_pos + 1 < m_text.size()) ++m_pos;
            out += peek();
            ++m_pos;
        }
        return out;
    }

    // The arguments up to the closing parenthesis (nested ones included), which is consumed.
    QByteArrayList arguments() {
        QByteArrayList args;
        int depth = 1;
        while (skipSpaceAndComments(), m_pos < m_text.size()) {
            const char c = peek();
            int equals = 0;
            if (c == ')') {
                ++m_pos;
                if (--depth == 0) return args;
            } else if (c == '(') {
                ++m_pos;
                ++depth;
            } else if (c == ';') {
                ++m_pos;
            } else if (c == '"') {
                args.append(quoted());
            } else if (const qsizetype open = bracketOpen(equals)) {
                args.append(bracket(open, equals));
            } else {
                args.append(unquoted());
            }
        }
        return args;
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

} // namespace

std::optional<ManifestInfo> parseCMakeListsData(QByteArrayView bytes) {
    const std::optional<QByteArrayList> args = Lexer(manifesttext::withoutBom(bytes)).projectArguments();
    if (!args) return std::nullopt;
    // An empty argument names nothing.
    const auto value = [](const QByteArray& text) -> std::optional<QString> {
        std::optional<QString> decoded = decodeUtf8(text);
        if (!decoded || decoded->isEmpty()) return std::nullopt; // a byte order mark alone decodes to nothing
        return decoded;
    };
    ManifestInfo info;
    if (!args->isEmpty()) info.name = value(args->first());
    const qsizetype keyword = args->indexOf("VERSION");
    if (keyword > 0 && keyword + 1 < args->size()) info.version = value(args->at(keyword + 1));
    return info;
}
