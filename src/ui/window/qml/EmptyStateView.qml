import QtQuick
import QtQuick.Layouts
import Codeorchardist

// A full-area empty state: symbol, title, message and one button.
Rectangle {
    id: empty

    property string icon
    property string title
    property string message
    property string buttonTitle
    signal buttonAction()

    color: Theme.windowBackground

    ColumnLayout {
        anchors.fill: parent
        spacing: 20

        Item { Layout.fillHeight: true }

        SymbolIcon {
            Layout.alignment: Qt.AlignHCenter
            name: empty.icon
            size: 56
            color: Theme.secondary
            opacity: 0.5
        }

        ColumnLayout {
            Layout.alignment: Qt.AlignHCenter
            spacing: 8
            Text {
                textFormat: Text.PlainText
                objectName: "emptyTitle"
                Layout.alignment: Qt.AlignHCenter
                text: empty.title
                font: Theme.styled("title2", Font.DemiBold)
                color: Theme.primary
            }
            Text {
                textFormat: Text.PlainText
                objectName: "emptyMessage"
                Layout.alignment: Qt.AlignHCenter
                horizontalAlignment: Text.AlignHCenter
                text: empty.message
                font: Theme.font.body
                color: Theme.secondary
            }
        }

        LabelButton {
            objectName: "emptyButton"
            Layout.alignment: Qt.AlignHCenter
            text: empty.buttonTitle
            onClicked: empty.buttonAction()
        }

        Item { Layout.fillHeight: true }
    }
}
