import QtQuick
import QtQuick.Controls
import Qt5Compat.GraphicalEffects
import Codeorchardist

// A round 50 x 50 button: a symbol on a disc of its colour (white, or dark where white would
// not read), with a soft shadow.
AbstractButton {
    id: button

    property string symbol
    property int symbolSize: 20
    property string tone: "blue"

    implicitWidth: 50
    implicitHeight: 50
    hoverEnabled: true

    background: Item {
        DropShadow {
            anchors.fill: disc
            source: disc
            color: Qt.rgba(0, 0, 0, 0.33)
            radius: 4
            samples: 9
            transparentBorder: true
        }
        Rectangle {
            id: disc
            anchors.fill: parent
            radius: width / 2
            color: button.down ? Qt.darker(Theme.color(button.tone), 1.15)
                               : button.hovered ? Qt.lighter(Theme.color(button.tone), 1.08)
                                                : Theme.color(button.tone)
        }
    }
    contentItem: Item {
        SymbolIcon {
            anchors.centerIn: parent
            name: button.symbol
            size: button.symbolSize + 4
            color: Theme.textOn(button.tone)
        }
    }
}
