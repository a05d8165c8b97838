#include "SymbolMap.h"

#include <QHash>

namespace symbolmap {
namespace {

// A swift in flight, drawn for the Swift kind (the icon font has no such bird).
const char* const swiftPath =
    "M19.6 14.9c1.9-2.7 1.3-6.3-.9-8.9.9 2 .8 4.3-.2 5.9C15.6 9.9 11.6 6.8 7.6 3.6"
    "c2.2 2.6 4.3 5.1 6.5 7.5C11.3 9.4 7.6 6.8 3.9 4.4c2.9 3.4 6 6.6 9.3 9.3"
    "-2.9 1.5-6.6 1.3-10.2-.6 2.1 3.5 5.6 5.9 9.4 6.2 2.2.2 4.1-.5 5.6-1.4"
    ".9-.5 2.4-.5 3.5.9.3-1.5-.5-2.8-1.9-2.9z";

struct Entry {
    const char* name;
    char32_t codepoint;
    const char* materialName;
};

// Symbol name -> Material Icons glyph. The code points are those of the font's own list.
constexpr Entry entries[] = {
    // project kinds
    {"cube.box", 0xe1a1, "inventory_2"},
    {"iphone", 0xe325, "phone_iphone"},
    {"globe", 0xe80b, "public"},
    {"cup.and.saucer", 0xe541, "local_cafe"},
    {"chevron.left.forwardslash.chevron.right", 0xe86f, "code"},
    {"gearshape", 0xe8b8, "settings"},
    {"gauge", 0xe9e4, "speed"},
    {"cpu", 0xe322, "memory"},
    {"pawprint", 0xe91d, "pets"},
    {"curlybraces", 0xead3, "data_object"},
    {"php", 0xeb8f, "php"},
    {"bird", 0xe00b, "flutter_dash"},
    {"target", 0xe8e1, "track_changes"},
    {"diamond", 0xead5, "diamond"},
    {"questionmark.folder", 0xf1c0, "help_center"},
    // view modes
    {"list.bullet", 0xe241, "format_list_bulleted"},
    {"tree", 0xe97a, "account_tree"},
    {"point.3.connected.trianglepath.dotted", 0xe9f4, "hub"},
    {"square.grid.2x2", 0xe9b0, "grid_view"},
    // header bar and window
    {"building.2.fill", 0xea40, "apartment"},
    {"folder.fill", 0xe2c7, "folder"},
    {"folder", 0xe2c8, "folder_open"},
    {"chevron.down", 0xe5cf, "expand_more"},
    {"chevron.right", 0xe5cc, "chevron_right"},
    {"magnifyingglass", 0xe8b6, "search"},
    {"arrow.clockwise", 0xe5d5, "refresh"},
    {"arrow.counterclockwise", 0xf053, "restart_alt"},
    {"plus", 0xe145, "add"},
    {"minus", 0xe15b, "remove"},
    {"plus.magnifyingglass", 0xe8ff, "zoom_in"},
    {"minus.magnifyingglass", 0xe900, "zoom_out"},
    {"sidebar.left", 0xf114, "view_sidebar"},
    {"xmark.circle.fill", 0xe5c9, "cancel"},
    {"xmark", 0xe5cd, "close"},
    {"arrow.up.arrow.down", 0xe164, "sort"},
    // state screens
    {"folder.badge.gearshape", 0xf1c4, "source"},
    {"folder.fill.badge.gearshape", 0xf1c4, "source"},
    {"folder.badge.plus", 0xe2cc, "create_new_folder"},
    {"folder.badge.questionmark", 0xeb83, "folder_off"},
    // detail pane
    {"tag", 0xf05b, "sell"},
    {"clock", 0xe8b5, "schedule"},
    {"checkmark.circle", 0xe92d, "check_circle_outline"},
    {"checkmark.circle.fill", 0xe86c, "check_circle"},
    {"exclamationmark.circle", 0xe001, "error_outline"},
    {"exclamationmark.triangle.fill", 0xe002, "warning"},
    {"arrow.triangle.branch", 0xe0b6, "call_split"},
    {"link", 0xe157, "link"},
    {"doc.on.doc", 0xe14d, "content_copy"},
    {"terminal", 0xeb8e, "terminal"},
    {"externaldrive", 0xe1db, "storage"},
    // project actions
    {"pencil", 0xe3c9, "edit"},
    {"safari", 0xe89e, "open_in_new"},
    {"arrow.down.circle", 0xe2c0, "cloud_download"},
    {"arrow.down.to.line", 0xe5db, "arrow_downward"},
    {"arrow.up.to.line", 0xe5d8, "arrow_upward"},
    {"stop.fill", 0xe047, "stop"},
    // dashboard
    {"clock.badge.exclamationmark.fill", 0xf17d, "history_toggle_off"},
    {"bolt.fill", 0xea0b, "bolt"},
};

const QHash<QString, Symbol>& table()
{
    static const QHash<QString, Symbol> map = [] {
        QHash<QString, Symbol> m;
        for (const Entry& e : entries)
            m.insert(QString::fromLatin1(e.name), Symbol{e.codepoint, QString::fromLatin1(e.materialName), {}});
        m.insert(QStringLiteral("swift"), Symbol{0, {}, QString::fromLatin1(swiftPath)});
        return m;
    }();
    return map;
}

} // namespace

QString fontFamily()
{
    return QStringLiteral("Material Icons");
}

std::optional<Symbol> lookup(const QString& name)
{
    const auto& map = table();
    const auto it = map.constFind(name);
    if (it == map.cend())
        return std::nullopt;
    return *it;
}

QStringList names()
{
    QStringList list = table().keys();
    list.sort();
    return list;
}

} // namespace symbolmap
