import QtQuick
import QtQuick.Layouts
import Codeorchardist

// The first screen: invites the user to choose a root folder and lists the recognised kinds.
Rectangle {
    id: welcome
    objectName: "welcomeView"

    signal selectFolder()
    // Shown above the button when the stored root folder was not found.
    property string notice

    // The kinds a scan recognises (Unknown is not a kind the user looks for).
    readonly property var kinds: WindowLogic.recognisedKinds
    // The disc gives up height first when the window is short, so the tiles stay in view.
    readonly property real discSize: Math.max(120, Math.min(200, height - 440))
    readonly property int tileWidth: 84
    readonly property int tileSpacing: 12

    color: Theme.windowBackground

    ColumnLayout {
        anchors.fill: parent
        spacing: 32

        Item { Layout.fillHeight: true }

        Item {
            Layout.alignment: Qt.AlignHCenter
            implicitWidth: welcome.discSize
            implicitHeight: welcome.discSize
            RadialDisc {
                anchors.fill: parent
                centerColor: Theme.tint("blue", 0.2)
                edgeColor: Theme.tint("blue", 0.05)
            }
            SymbolIcon {
                anchors.centerIn: parent
                name: "folder.badge.gearshape"
                size: Math.round(welcome.discSize * 0.32)
                color: Theme.symbolTone("blue")
            }
        }

        ColumnLayout {
            Layout.alignment: Qt.AlignHCenter
            spacing: 12
            Text {
                Layout.alignment: Qt.AlignHCenter
                text: "Welcome to Codeorchardist"
                font: Theme.styled("largeTitle", Font.Bold)
                color: Theme.primary
            }
            Text {
                objectName: "welcomeMessage"
                Layout.alignment: Qt.AlignHCenter
                horizontalAlignment: Text.AlignHCenter
                text: "Select a root folder to scan for projects.\nThe app will automatically detect Git repositories,\nNode.js, Java, Python, and Swift projects."
                font: Theme.font.body
                color: Theme.secondary
                lineHeightMode: Text.FixedHeight
                lineHeight: fontMetrics.lineSpacing + 4
                FontMetrics { id: fontMetrics; font: Theme.font.body }
            }
        }

        Text {
            objectName: "missingFolderNotice"
            visible: welcome.notice !== ""
            Layout.alignment: Qt.AlignHCenter
            Layout.maximumWidth: Math.min(welcome.width - 64, 640)
            horizontalAlignment: Text.AlignHCenter
            text: welcome.notice
            textFormat: Text.PlainText
            font: Theme.styled("body", Font.DemiBold)
            color: Theme.textTone("orange")
            wrapMode: Text.Wrap
            maximumLineCount: 3
            elide: Text.ElideMiddle
        }

        LabelButton {
            objectName: "selectFolderButton"
            Layout.alignment: Qt.AlignHCenter
            text: "Select Projects Folder"
            symbol: "folder.badge.plus"
            prominent: true
            large: true
            labelFont: Theme.font.headline
            onClicked: welcome.selectFolder()
        }

        ColumnLayout {
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 16
            spacing: 12
            Text {
                Layout.alignment: Qt.AlignHCenter
                text: "Supported Project Types"
                font: Theme.font.caption
                color: Theme.secondary
            }
            // Rows of tiles, each centred, the last one shorter.
            Column {
                id: tileRows
                objectName: "kindTiles"
                Layout.alignment: Qt.AlignHCenter
                readonly property int columns: WindowLogic.tileColumns(welcome.kinds.length, welcome.width - 64,
                                                                       welcome.tileWidth, welcome.tileSpacing)
                spacing: 10
                Repeater {
                    model: Math.ceil(welcome.kinds.length / tileRows.columns)
                    delegate: Row {
                        required property int index
                        anchors.horizontalCenter: parent.horizontalCenter
                        spacing: welcome.tileSpacing
                        Repeater {
                            model: welcome.kinds.slice(index * tileRows.columns, (index + 1) * tileRows.columns)
                            delegate: Column {
                                objectName: "kindTile"
                                required property var modelData
                                width: welcome.tileWidth
                                spacing: 4
                                SymbolIcon {
                                    anchors.horizontalCenter: parent.horizontalCenter
                                    name: modelData.icon
                                    size: Theme.size("title2") + 4
                                    color: Theme.symbolTone(modelData.color)
                                }
                                // One line for every kind, so the tiles stand level.
                                Text {
                                    anchors.horizontalCenter: parent.horizontalCenter
                                    width: parent.width
                                    horizontalAlignment: Text.AlignHCenter
                                    text: modelData.type
                                    font: Theme.font.caption2
                                    color: Theme.secondary
                                    maximumLineCount: 1
                                    elide: Text.ElideRight
                                }
                            }
                        }
                    }
                }
            }
        }

        Item { Layout.fillHeight: true }
    }
}
