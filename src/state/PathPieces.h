#pragma once

#include <QString>
#include <QStringList>

// Path text helpers shared by the outline and mindmap builders.
namespace pathpieces {

// The components of `path` below the folder `root`, empty pieces dropped. Empty when `path`
// is not inside `root` (the prefix must end at a component boundary, so "/rx/app" is not
// inside "/r") or when it is the root itself.
QStringList below(const QString& path, const QString& root);

// The root node's label: the last component of `root` ("dev" for "/Users/me/dev", "/" for "/").
QString lastComponent(const QString& root);

} // namespace pathpieces
