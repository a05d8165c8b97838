#pragma once

// TOML manifests through toml++ (Debian's libtomlplusplus-dev), without exceptions.

#include <QByteArrayView>
#include <QString>

#include <optional>
#include <toml++/toml.h>

namespace tomldocument {

// The document's root table; nothing when the text is not valid TOML (UTF-8 included).
std::optional<toml::table> parse(QByteArrayView bytes);

// The node's value when it is a string.
std::optional<QString> string(toml::node_view<const toml::node> node);

} // namespace tomldocument
