import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtQuick.Dialogs
import Codeorchardist

// The main window: header bar, divider and the main area, which shows the welcome, loading or
// empty screen, or the current view mode.
ApplicationWindow {
    id: window
    objectName: "mainWindow"

    // The application's view model (ProjectsViewModel), owned by the program for the life of
    // the window.
    required property var viewModel
    // Start the stored folder's scan when the window appears.
    property bool scanOnStart: true

    property int viewMode: ViewMode.Cards
    readonly property GraphZoom zoom: GraphZoom { objectName: "graphZoom" }
    readonly property int mainScreen: WindowLogic.screen(viewModel.hasScanPath, viewModel.isLoading,
                                                     viewModel.projectCount, viewModel.filteredCount,
                                                     viewMode)

    title: "Codeorchardist"
    width: 1280
    height: 820
    minimumWidth: 1000
    minimumHeight: 700
    visible: true
    color: Theme.windowBackground

    palette.window: Theme.windowBackground
    palette.windowText: Theme.primary
    palette.base: Theme.textBackground
    palette.alternateBase: Theme.controlBackground
    palette.text: Theme.primary
    palette.button: Theme.controlBackground
    palette.buttonText: Theme.primary
    palette.brightText: Theme.color("white")
    palette.highlight: Theme.accent
    palette.highlightedText: Theme.color("white")
    palette.placeholderText: Theme.secondary
    palette.toolTipBase: Theme.controlBackground
    palette.toolTipText: Theme.primary
    palette.light: Theme.dark ? "#4a4a4d" : "#ffffff"
    palette.midlight: Theme.dark ? "#3a3a3d" : "#f0f0f0"
    palette.mid: Theme.dark ? "#2c2c2e" : "#c8c8c8"
    palette.dark: Theme.dark ? "#18181a" : "#a0a0a0"
    palette.shadow: "#000000"
    palette.link: Theme.accent

    // Everything that clears the search text and the kind filter, in this order.
    function clearFilters() {
        viewModel.searchText = ""
        viewModel.selectedTypeFilter = ""
    }
    function moveSelection(step) {
        if (mainScreen !== WindowLogic.List)
            return
        const model = viewModel.filteredModel
        const count = model.rowCount()
        if (count === 0)
            return
        const current = WindowLogic.rowOfProject(model, viewModel.selectedProjectId)
        const next = current < 0 ? 0 : Math.max(0, Math.min(count - 1, current + step))
        viewModel.selectProject(WindowLogic.projectIdAt(model, next))
    }

    menuBar: MenuBar {
        objectName: "menuBar"
        Menu {
            title: "Projects"
            Action {
                objectName: "refreshAllAction"
                text: "Refresh All"
                shortcut: "Ctrl+R"
                onTriggered: window.viewModel.scanProjects()
            }
        }
    }

    Shortcut { sequence: "Ctrl+F"; onActivated: header.focusSearch() }
    Shortcut { sequence: "Ctrl+O"; onActivated: window.viewModel.selectFolder() }
    Shortcut { sequence: "Ctrl+1"; onActivated: window.viewMode = ViewMode.List }
    Shortcut { sequence: "Ctrl+2"; onActivated: window.viewMode = ViewMode.Tree }
    Shortcut { sequence: "Ctrl+3"; onActivated: window.viewMode = ViewMode.Graph }
    Shortcut { sequence: "Ctrl+4"; onActivated: window.viewMode = ViewMode.Cards }
    Shortcut { sequence: "Ctrl+Q"; onActivated: Qt.quit() }
    Shortcut {
        sequence: "Escape"
        enabled: window.viewModel.searchText !== "" && !window.viewModel.isLoading
        onActivated: window.viewModel.searchText = ""
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        HeaderBar {
            id: header
            Layout.fillWidth: true
            viewModel: window.viewModel
            viewMode: window.viewMode
            onViewModeRequested: (mode) => window.viewMode = mode
        }

        Rectangle {
            Layout.fillWidth: true
            Layout.preferredHeight: 1
            color: Theme.separator
        }

        Loader {
            id: mainArea
            objectName: "mainArea"
            Layout.fillWidth: true
            Layout.fillHeight: true
            focus: true
        }
    }

    // The visualizations are compiled the first time their mode is shown, so start-up does
    // not pay for them.
    readonly property url treeViewUrl: Qt.resolvedUrl("../../visualizations/qml/TreeVisualizationView.qml")
    readonly property url cardsViewUrl: Qt.resolvedUrl("../../visualizations/qml/CardDashboardView.qml")
    readonly property url graphScreenUrl: Qt.resolvedUrl("GraphScreen.qml")

    function showScreen() {
        switch (mainScreen) {
        case WindowLogic.Welcome: mainArea.sourceComponent = welcomeScreen; break
        case WindowLogic.Loading: mainArea.sourceComponent = loadingScreen; break
        case WindowLogic.NoProjects: mainArea.sourceComponent = noProjectsScreen; break
        case WindowLogic.NoResults: mainArea.sourceComponent = noResultsScreen; break
        case WindowLogic.List: mainArea.sourceComponent = listScreen; break
        case WindowLogic.Tree:
            mainArea.setSource(treeViewUrl, { viewModel: viewModel, objectName: "treeScreen" }); break
        case WindowLogic.Graph:
            mainArea.setSource(graphScreenUrl, { viewModel: viewModel, zoom: zoom }); break
        default:
            mainArea.setSource(cardsViewUrl, { viewModel: viewModel, objectName: "cardsScreen" }); break
        }
    }
    onMainScreenChanged: showScreen()

    Component {
        id: welcomeScreen
        WelcomeView { onSelectFolder: window.viewModel.selectFolder() }
    }
    Component {
        id: loadingScreen
        LoadingView { message: window.viewModel.loadingMessage; session: window.viewModel.scanSession }
    }
    Component {
        id: noProjectsScreen
        EmptyStateView {
            objectName: "noProjectsView"
            icon: "folder.badge.questionmark"
            title: "No Projects Found"
            message: window.viewModel.scanSession.lastScanStopped
                     ? window.viewModel.scanSession.stoppedMessage
                     : "No projects were detected in the selected folder.\nTry selecting a different folder."
            buttonTitle: "Change Folder"
            onButtonAction: window.viewModel.selectFolder()
        }
    }
    Component {
        id: noResultsScreen
        EmptyStateView {
            objectName: "noResultsView"
            icon: "magnifyingglass"
            title: "No Results"
            message: "No projects match your search or filter criteria."
            buttonTitle: "Clear Filters"
            onButtonAction: window.clearFilters()
        }
    }
    Component {
        id: listScreen
        ProjectSplitView {
            objectName: "listScreen"
            viewModel: window.viewModel
            onMoveSelection: (step) => window.moveSelection(step)
        }
    }
    // The folder chooser, built the first time it is asked for (the dialog module is not
    // loaded before).
    Loader {
        id: folderDialogLoader
        active: false
        source: "FolderChooser.qml"
    }
    Connections {
        target: folderDialogLoader.item
        function onAccepted() { window.viewModel.chooseFolder(folderDialogLoader.item.selectedFolder) }
    }

    Connections {
        target: window.viewModel
        function onFolderDialogRequested() {
            folderDialogLoader.active = true
            const dialog = folderDialogLoader.item
            if (!dialog)
                return
            if (window.viewModel.hasScanPath)
                dialog.currentFolder = "file://" + window.viewModel.scanPath
            dialog.open()
        }
    }

    Component.onCompleted: {
        showScreen()
        if (scanOnStart && viewModel.hasScanPath && !viewModel.isLoading)
            viewModel.scanProjects()
    }
}
