import QtQuick
import QtQuick.Dialogs

// The folder chooser of the window; loaded the first time it is asked for.
FolderDialog {
    objectName: "folderDialog"
    title: "Select your projects root directory"
    acceptLabel: "Select Folder"
}
