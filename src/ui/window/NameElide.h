#pragma once

#include <QFont>
#include <QString>

// Project names shortened to the room a view gives them.
namespace nameelide {

// Whether `name` is a scoped package name ("@scope/name").
bool isScopedName(const QString& name);

// `name` as it fits `width` pixels in `font`: unchanged when it fits; a scoped name keeps its
// part after the slash whole and shortens the scope ("@react-nav…/native-stack"), and is cut in
// the middle only when the part after the slash alone does not fit; any other name loses its
// end.
QString elideName(const QString& name, const QFont& font, double width);

} // namespace nameelide
