#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QQmlParserStatus>
#include <QQuickWindow>
#include <QRect>
#include <QSize>
#include <QVariant>
#include <QtQml/qqmlregistration.h>
#include <optional>

class ProjectsViewModel;

namespace windowmemory {

struct Placement {
    QSize size;
    std::optional<QPoint> position; // none: where the window system puts it
};

// The stored frame (a QRect) made to fit the screens' available areas: the size no larger than
// the screen it is mostly on (and no smaller than `minimum`), the position moved onto that
// screen, or dropped when the frame lies on no screen. Nothing for anything else.
std::optional<Placement> fitPlacement(const QVariant& stored, const QList<QRect>& screens, QSize minimum);

} // namespace windowmemory

// Keeps the main window as it was left for the next start, in the view model's settings: its
// size and position (the normal ones, also while maximized), whether it is maximized, the view
// mode and the panes of its `layoutState` (list and detail widths, detail open, tree folds).
// Restores them once created; saves them when the window closes and when the application quits.
class WindowMemory : public QObject, public QQmlParserStatus {
    Q_OBJECT
    QML_ELEMENT
    Q_INTERFACES(QQmlParserStatus)
    Q_PROPERTY(QQuickWindow* window READ window WRITE setWindow NOTIFY windowChanged)

public:
    explicit WindowMemory(QObject* parent = nullptr);

    QQuickWindow* window() const { return qobject_cast<QQuickWindow*>(m_window.data()); }
    void setWindow(QQuickWindow* window);

    void classBegin() override {}
    void componentComplete() override { restore(); }

    Q_INVOKABLE void restore();
    Q_INVOKABLE void save();

signals:
    void windowChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ProjectsViewModel* viewModel() const;
    QObject* layoutState() const;
    void noteNormalGeometry();

    // As a QWindow: its signals and events still come while ~QWindow runs, after the
    // QQuickWindow part is gone.
    QPointer<QWindow> m_window;
    QRect m_normal;
    std::optional<QPoint> m_pendingPosition;
};
