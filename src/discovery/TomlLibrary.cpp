// The one compiled copy of toml++ (the engine builds it with TOML_HEADER_ONLY=0, so the other
// files that include it share this one).
#define TOML_IMPLEMENTATION
#include "discovery/TomlDocument.h"

namespace tomldocument {

std::optional<toml::table> parse(QByteArrayView bytes) {
    toml::parse_result result = toml::parse(std::string_view(bytes.data(), size_t(bytes.size())));
    if (!result) return std::nullopt;
    return std::move(result).table();
}

std::optional<QString> string(toml::node_view<const toml::node> node) {
    const std::optional<std::string_view> text = node.value<std::string_view>();
    if (!text) return std::nullopt;
    return QString::fromUtf8(text->data(), qsizetype(text->size()));
}

} // namespace tomldocument
