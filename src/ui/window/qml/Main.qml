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
    // Size, position, mode and panes as they were left, kept for the next start.
    readonly property WindowMemory memory: WindowMemory { window: window }
    // How the window's panes were left: the Tree's folds, the List's column, the detail pane
    // beside the other views (its width, and whether it is closed).
    readonly property QtObject layoutState: QtObject {
        objectName: "layoutState"
        property var folded: []
        property real listWidth: 0
        property real detailWidth: 420
        property bool detailOpen: false
        property string selectedPath: ""
    }
    // The detail pane stands beside Tree, Graph and Cards while a project is selected.
    readonly property bool sideDetail: (mainScreen === WindowLogic.Tree || mainScreen === WindowLogic.Graph
                                        || mainScreen === WindowLogic.Cards)
                                       && viewModel.selectedProjectId !== "" && layoutState.detailOpen
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
    palette.highlight: Theme.accentFill
    palette.highlightedText: Theme.color("white")
    palette.placeholderText: Theme.secondary
    palette.toolTipBase: Theme.controlBackground
    palette.toolTipText: Theme.primary
    palette.light: Theme.bevel("light")
    palette.midlight: Theme.bevel("midlight")
    palette.mid: Theme.bevel("mid")
    palette.dark: Theme.bevel("dark")
    palette.shadow: Theme.bevel("shadow")
    palette.link: Theme.accent

    // Everything that clears the search text and the kind filter, in this order.
    function clearFilters() { viewModel.clearFilters() }
    function moveSelection(step) {
        if (mainScreen !== WindowLogic.List)
            return
        const next = WindowLogic.steppedProjectId(viewModel.filteredModel, viewModel.selectedProjectId, step)
        if (next !== "")
            viewModel.selectProject(next)
    }

    menuBar: WindowTopBar {
        viewModel: window.viewModel
        onChooseFolder: window.viewModel.selectFolder()
        onQuit: Qt.quit()
    }

    Shortcut { sequence: "Ctrl+F"; onActivated: header.focusSearch() }
    Shortcut { sequence: "Ctrl+1"; onActivated: window.viewMode = ViewMode.List }
    Shortcut { sequence: "Ctrl+2"; onActivated: window.viewMode = ViewMode.Tree }
    Shortcut { sequence: "Ctrl+3"; onActivated: window.viewMode = ViewMode.Graph }
    Shortcut { sequence: "Ctrl+4"; onActivated: window.viewMode = ViewMode.Cards }
    // Escape clears the search text first, then the kind and state filters.
    Shortcut {
        sequence: "Escape"
        enabled: window.viewModel.filterActive && !window.viewModel.isLoading
        onActivated: window.viewModel.clearLastFilter()
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
            onMoveSelection: (step) => window.moveSelection(step)
        }

        Rectangle { Layout.fillWidth: true; Layout.preferredHeight: 1; color: Theme.separator }

        ScanNoticeBar {
            Layout.fillWidth: true
            viewModel: window.viewModel
        }

        SplitView {
            id: mainSplit
            Layout.fillWidth: true
            Layout.fillHeight: true
            orientation: Qt.Horizontal
            handle: PaneHandle {}

            Loader {
                id: mainArea
                objectName: "mainArea"
                SplitView.fillWidth: true
                SplitView.minimumWidth: 360
                focus: true
            }
            SideDetailPane {
                visible: window.sideDetail
                SplitView.preferredWidth: window.layoutState.detailWidth
                SplitView.minimumWidth: 340
                SplitView.maximumWidth: Math.max(340, mainSplit.width - 420)
                viewModel: window.viewModel
                onWidthChanged: if (visible && mainSplit.resizing) window.layoutState.detailWidth = width
                onCloseRequested: window.layoutState.detailOpen = false
            }
        }
        NoticeBar { id: notice }
    }
    // Selecting another project opens the pane; a scan's own choice of the first project, or a
    // fresh record of the same project, does not.
    Connections {
        target: window.viewModel
        function onSelectedProjectChanged() {
            const path = window.viewModel.selectedProjectId !== "" ? window.viewModel.selectedProject.path : ""
            if (!window.viewModel.isLoading && path !== "" && path !== window.layoutState.selectedPath)
                window.layoutState.detailOpen = true
            window.layoutState.selectedPath = path
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
            mainArea.setSource(treeViewUrl, { viewModel: viewModel, objectName: "treeScreen", foldStore: layoutState }); break
        case WindowLogic.Graph:
            mainArea.setSource(graphScreenUrl, { viewModel: viewModel, zoom: zoom }); break
        default:
            mainArea.setSource(cardsViewUrl, { viewModel: viewModel, objectName: "cardsScreen" }); break
        }
    }
    onMainScreenChanged: showScreen()

    Component {
        id: welcomeScreen
        WelcomeView {
            notice: WindowLogic.missingFolderText(window.viewModel.missingFolder)
            onSelectFolder: window.viewModel.selectFolder()
        }
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
            layoutState: window.layoutState
            onMoveSelection: (step) => window.moveSelection(step)
        }
    }
    // The folder chooser: the desktop's dialog, or Qt's widget dialog.
    FolderChooser {
        id: folderChooser
        objectName: "folderChooser"
        onChosen: (folder) => window.viewModel.chooseFolder(folder)
    }
    Connections {
        target: window.viewModel
        function onFolderDialogRequested() { folderChooser.open(window.viewModel.scanPath) }
    }
    WindowActions { viewModel: window.viewModel; notice: notice }

    Component.onCompleted: {
        showScreen()
        if (scanOnStart && viewModel.hasScanPath && !viewModel.isLoading)
            viewModel.scanProjects()
    }
}
