import QtQuick
import QtQuick.Controls

// Placeholder until the real view lands.
Item {
    id: root
    required property var viewModel
    Label { anchors.centerIn: parent; text: "CardDashboardView" }
}
