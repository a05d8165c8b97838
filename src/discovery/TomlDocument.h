#pragma once

// TOML manifests through toml++ (Debian's libtomlplusplus-dev), without exceptions.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <toml++/toml.h>

namespace tomldocument {

// A parsed document. toml++ 3.3 asks of characters beyond ASCII whether they are white space
// with a function that has no answer for much of that range (undefined behaviour), so it is
// never shown one: each such character, and each "~", is handed to it as "~<n>~" (valid
// wherever the character is, invalid wherever it is not) and put back in the strings read.
class Document {
public:
    const toml::table& root() const { return m_root; }
    // The node's value when it is a string.
    std::optional<QString> string(toml::node_view<const toml::node> node) const;

private:
    friend std::optional<Document> parse(QByteArrayView bytes);
    toml::table m_root;
    QStringList m_pieces;
};

// The document; nothing when the text is not valid UTF-8 or not valid TOML.
std::optional<Document> parse(QByteArrayView bytes);

} // namespace tomldocument
