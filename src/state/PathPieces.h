#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Path text helpers shared by the outline and mindmap builders.
namespace pathpieces {

// The components of `path` below the folder `root`, empty pieces dropped, as views into `path`
// (which must outlive them). Empty when `path` is not inside `root` (the prefix must end at a
// component boundary, so "/rx/app" is not inside "/r") or when it is the root itself.
QList<QStringView> below(const QString& path, const QString& root);

// The root node's label: the last component of `root` ("dev" for "/Users/me/dev", "/" for "/").
QString lastComponent(const QString& root);

} // namespace pathpieces
