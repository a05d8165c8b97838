// The C/C++ reader for Meson: the project() call of meson.build, found among the file's
// tokens, so that a project( in a comment or a string does not count.
#include "discovery/ManifestReaders.h"

#include "discovery/ManifestText.h"

#include <vector>

namespace {

struct Token {
    enum Kind { identifier, string, punctuation } kind;
    QByteArray text; // a string's content, unescaped
};

bool isIdentifierStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool isIdentifier(char c) { return isIdentifierStart(c) || (c >= '0' && c <= '9'); }

// '...' with backslash escapes, or '''...''' spanning lines; `pos` is at the first quote.
QByteArray stringAt(QByteArrayView text, qsizetype& pos) {
    QByteArray out;
    if (text.sliced(pos).startsWith("'''")) {
        const qsizetype end = text.indexOf("'''", pos + 3);
        const qsizetype stop = end < 0 ? text.size() : end;
        out = text.sliced(pos + 3, stop - pos - 3).toByteArray();
        pos = end < 0 ? text.size() : end + 3;
        return out;
    }
    for (++pos; pos < text.size() && text[pos] != '\'' && text[pos] != '\n'; ++pos) {
        if (text[pos] == '\\' && pos + 1 < text.size()) {
            ++pos;
            out += text[pos] == 'n' ? '\n' : text[pos] == 't' ? '\t' : text[pos];
        } else {
            out += text[pos];
        }
    }
    ++pos;
    return out;
}

std::vector<Token> tokens(QByteArrayView text) {
    std::vector<Token> out;
    for (qsizetype pos = 0; pos < text.size();) {
        const char c = text[pos];
        if (c == '#') {
            while (pos < text.size() && text[pos] != '\n') ++pos;
        } else if (c == '\'' || (c == 'f' && pos + 1 < text.size() && text[pos + 1] == '\'')) {
            if (c == 'f') ++pos;
            out.push_back({Token::string, stringAt(text, pos)});
        } else if (isIdentifierStart(c)) {
            const qsizetype start = pos;
            while (pos < text.size() && isIdentifier(text[pos])) ++pos;
            out.push_back({Token::identifier, text.sliced(start, pos - start).toByteArray()});
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++pos;
        } else {
            out.push_back({Token::punctuation, QByteArray(1, c)});
            ++pos;
        }
    }
    return out;
}

bool isPunctuation(const Token& t, char c) { return t.kind == Token::punctuation && t.text.size() == 1 && t.text[0] == c; }

} // namespace

std::optional<ManifestInfo> parseMesonBuildData(QByteArrayView bytes) {
    const std::vector<Token> all = tokens(manifesttext::withoutBom(bytes));
    size_t i = 0;
    int depth = 0;
    for (; i + 1 < all.size(); ++i) {
        if (isPunctuation(all[i], '(') || isPunctuation(all[i], '[') || isPunctuation(all[i], '{')) ++depth;
        if (isPunctuation(all[i], ')') || isPunctuation(all[i], ']') || isPunctuation(all[i], '}')) --depth;
        if (depth == 0 && all[i].kind == Token::identifier && all[i].text == "project" && isPunctuation(all[i + 1], '('))
            break;
    }
    if (i + 1 >= all.size()) return std::nullopt;
    const auto value = [](const QByteArray& text) -> std::optional<QString> {
        std::optional<QString> decoded = decodeUtf8(text);
        if (!decoded || decoded->isEmpty()) return std::nullopt; // a byte order mark alone decodes to nothing
        return decoded;
    };
    ManifestInfo info;
    bool first = true;
    depth = 0;
    for (size_t k = i + 2; k < all.size(); ++k) {
        const Token& t = all[k];
        if (isPunctuation(t, '(') || isPunctuation(t, '[') || isPunctuation(t, '{')) ++depth;
        if (isPunctuation(t, ']') || isPunctuation(t, '}')) --depth;
        if (isPunctuation(t, ')') && depth-- == 0) break;
        if (depth != 0) continue;
        if (first && t.kind == Token::string) info.name = value(t.text);
        if (!isPunctuation(t, ',')) first = false;
        if (t.kind == Token::identifier && t.text == "version" && k + 2 < all.size() && isPunctuation(all[k + 1], ':') &&
            all[k + 2].kind == Token::string)
            info.version = value(all[k + 2].text);
    }
    return info;
}
