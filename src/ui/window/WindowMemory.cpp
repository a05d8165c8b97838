#include "WindowMemory.h"

#include "ViewMode.h"
#include "state/ProjectsViewModel.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QJSValue>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace {

const QString kStateName = QStringLiteral("State");
// Pane widths beyond this are damage, not a wide screen.
constexpr double kMaxPaneWidth = 20000;
constexpr qsizetype kMaxFolds = 100000;

std::optional<double> paneWidth(const QVariant& value, double least) {
    if (value.typeId() != QMetaType::Double) return std::nullopt;
    const double width = value.toDouble();
    if (!std::isfinite(width) || width < least || width > kMaxPaneWidth) return std::nullopt;
    return width;
}

} // namespace

namespace windowmemory {

std::optional<Placement> fitPlacement(const QVariant& stored, const QList<QRect>& screens, QSize minimum) {
    if (stored.typeId() != QMetaType::QRect || screens.isEmpty()) return std::nullopt;
    const QRect frame = stored.toRect();
    if (frame.width() <= 0 || frame.height() <= 0) return std::nullopt;
    // The screen it is mostly on; the first when it is on none.
    QRect screen = screens.first();
    qint64 best = 0;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(frame);
        const qint64 area = common.isValid() ? qint64(common.width()) * common.height() : 0;
        if (area > best) {
            best = area;
            screen = s;
        }
    }
    const auto fit = [](int value, int least, int most) { return std::clamp(value, least, std::max(least, most)); };
    Placement placement;
    placement.size = QSize(fit(frame.width(), minimum.width(), screen.width()),
                           fit(frame.height(), minimum.height(), screen.height()));
    if (best > 0) {
        placement.position = QPoint(fit(frame.x(), screen.left(), screen.right() + 1 - placement.size.width()),
                                    fit(frame.y(), screen.top(), screen.bottom() + 1 - placement.size.height()));
    }
    return placement;
}

} // namespace windowmemory

WindowMemory::WindowMemory(QObject* parent) : QObject(parent) {
    connect(qApp, &QCoreApplication::aboutToQuit, this, &WindowMemory::save);
}

void WindowMemory::setWindow(QQuickWindow* window) {
    if (m_window == window) return;
    if (m_window) {
        disconnect(m_window, nullptr, this, nullptr);
        m_window->removeEventFilter(this);
    }
    m_window = window;
    if (window) {
        for (auto signal : {&QWindow::xChanged, &QWindow::yChanged, &QWindow::widthChanged, &QWindow::heightChanged})
            connect(window, signal, this, &WindowMemory::noteNormalGeometry);
        connect(window, &QWindow::windowStateChanged, this, &WindowMemory::noteNormalGeometry);
        connect(window, &QWindow::visibleChanged, this, [this](bool visible) {
            if (visible && m_pendingPosition) m_window->setFramePosition(*std::exchange(m_pendingPosition, std::nullopt));
        });
        window->installEventFilter(this);
        noteNormalGeometry();
    }
    emit windowChanged();
}

bool WindowMemory::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Close && watched == m_window) save();
    return false;
}

ProjectsViewModel* WindowMemory::viewModel() const {
    return m_window ? qobject_cast<ProjectsViewModel*>(m_window->property("viewModel").value<QObject*>()) : nullptr;
}

QObject* WindowMemory::layoutState() const {
    return m_window ? m_window->property("layoutState").value<QObject*>() : nullptr;
}

void WindowMemory::noteNormalGeometry() {
    if (m_window && !(m_window->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)))
        m_normal = QRect(m_window->framePosition(), m_window->size());
}

void WindowMemory::restore() {
    ProjectsViewModel* model = viewModel();
    if (!model) return;
    const QVariantMap state = model->windowSetting(kStateName).toMap();
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) screens.append(screen->availableGeometry());
    if (const auto placement = windowmemory::fitPlacement(state.value(QStringLiteral("frame")), screens,
                                                          m_window->minimumSize())) {
        m_window->resize(placement->size);
        // Some platforms place a window only once it is shown: the position is given again then.
        m_pendingPosition = placement->position;
        if (placement->position) m_window->setFramePosition(*placement->position);
    }
    if (state.value(QStringLiteral("maximized")).typeId() == QMetaType::Bool &&
        state.value(QStringLiteral("maximized")).toBool())
        m_window->setWindowStates(Qt::WindowMaximized);
    const QString mode = state.value(QStringLiteral("mode")).toString();
    for (const ViewMode::Mode m : ViewMode::allCases) {
        if (ViewMode::rawValue(m) == mode) m_window->setProperty("viewMode", int(m));
    }
    if (QObject* layout = layoutState()) {
        if (const auto width = paneWidth(state.value(QStringLiteral("listWidth")), 0)) layout->setProperty("listWidth", *width);
        if (const auto width = paneWidth(state.value(QStringLiteral("detailWidth")), 1)) layout->setProperty("detailWidth", *width);
        if (state.value(QStringLiteral("detailOpen")).typeId() == QMetaType::Bool)
            layout->setProperty("detailOpen", state.value(QStringLiteral("detailOpen")));
        const QVariant folded = state.value(QStringLiteral("folded"));
        if (folded.typeId() == QMetaType::QStringList && folded.toStringList().size() <= kMaxFolds)
            layout->setProperty("folded", folded);
    }
    noteNormalGeometry();
}

void WindowMemory::save() {
    ProjectsViewModel* model = viewModel();
    if (!model) return;
    QVariantMap state;
    if (m_normal.isValid()) state.insert(QStringLiteral("frame"), m_normal);
    state.insert(QStringLiteral("maximized"), bool(m_window->windowStates() & Qt::WindowMaximized));
    state.insert(QStringLiteral("mode"), ViewMode::rawValue(ViewMode::Mode(m_window->property("viewMode").toInt())));
    if (const QObject* layout = layoutState()) {
        state.insert(QStringLiteral("listWidth"), layout->property("listWidth").toDouble());
        state.insert(QStringLiteral("detailWidth"), layout->property("detailWidth").toDouble());
        state.insert(QStringLiteral("detailOpen"), layout->property("detailOpen").toBool());
        QVariant folded = layout->property("folded");
        if (folded.metaType() == QMetaType::fromType<QJSValue>()) folded = folded.value<QJSValue>().toVariant();
        state.insert(QStringLiteral("folded"), folded.toStringList());
    }
    model->setWindowSetting(kStateName, state);
}
