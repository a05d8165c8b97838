#pragma once

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>
#include <array>

// The four view modes, in the order of the header's switch. QML reads the cases as
// ViewMode.List ... ViewMode.Cards.
class ViewMode : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("ViewMode is an enumeration")

public:
    enum Mode { List, Tree, Graph, Cards };
    Q_ENUM(Mode)

    static constexpr std::array<Mode, 4> allCases = {List, Tree, Graph, Cards};
    // The display name: "List", "Tree", "Graph", "Cards".
    static QString rawValue(Mode mode);
    // The symbol of the mode's segment.
    static QString icon(Mode mode);
};
