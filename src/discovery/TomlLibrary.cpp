// The one compiled copy of toml++ (the engine builds it with TOML_HEADER_ONLY=0, so the other
// files that include it share this one).
#define TOML_IMPLEMENTATION
#include "discovery/TomlDocument.h"

#include "discovery/Utf8.h"

namespace tomldocument {

std::optional<Document> parse(QByteArrayView bytes) {
    const std::optional<QString> text = decodeUtf8(bytes);
    if (!text) return std::nullopt;
    Document doc;
    std::string ascii;
    ascii.reserve(size_t(bytes.size()));
    const QList<uint> codePoints = text->toUcs4();
    for (const uint c : codePoints) {
        if (c < 0x80 && c != '~') {
            ascii += char(c);
            continue;
        }
        ascii += '~' + std::to_string(doc.m_pieces.size()) + '~';
        const char32_t one = char32_t(c);
        doc.m_pieces.append(QString::fromUcs4(&one, 1));
    }
    toml::parse_result result = toml::parse(ascii);
    if (!result) return std::nullopt;
    doc.m_root = std::move(result).table();
    return doc;
}

std::optional<QString> Document::string(toml::node_view<const toml::node> node) const {
    const std::optional<std::string_view> value = node.value<std::string_view>();
    if (!value) return std::nullopt;
    // The characters beyond ASCII come back from their "~<n>~".
    QString out;
    const std::string_view v = *value;
    for (size_t i = 0; i < v.size(); ++i) {
        if (v[i] == '~') {
            const size_t close = v.find('~', i + 1);
            bool ok = false;
            const qsizetype index = close == std::string_view::npos
                                        ? -1
                                        : QByteArrayView(v.data() + i + 1, qsizetype(close - i - 1)).toLongLong(&ok);
            if (ok && index >= 0 && index < m_pieces.size()) {
                out += m_pieces.at(index);
                i = close;
                continue;
            }
        }
        // What escapes produced (\u00e9) is UTF-8 already.
        const size_t start = i;
        while (i + 1 < v.size() && v[i + 1] != '~') ++i;
        out += QString::fromUtf8(v.data() + start, qsizetype(i - start + 1));
    }
    return out;
}

} // namespace tomldocument
