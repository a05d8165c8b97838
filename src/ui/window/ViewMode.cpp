#include "ViewMode.h"

QString ViewMode::rawValue(Mode mode)
{
    switch (mode) {
    case List: return QStringLiteral("List");
    case Tree: return QStringLiteral("Tree");
    case Graph: return QStringLiteral("Graph");
    case Cards: return QStringLiteral("Cards");
    }
    return {};
}

QString ViewMode::icon(Mode mode)
{
    switch (mode) {
    case List: return QStringLiteral("list.bullet");
    case Tree: return QStringLiteral("tree");
    case Graph: return QStringLiteral("point.3.connected.trianglepath.dotted");
    case Cards: return QStringLiteral("square.grid.2x2");
    }
    return {};
}
