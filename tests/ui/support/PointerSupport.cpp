#include "PointerSupport.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTest>

#include <algorithm>

namespace uipointer {

namespace {

// What must not change between two frames for the item to count as at rest.
struct Pose {
    QRectF sceneRect;
    qreal opacity = 0;
    bool operator==(const Pose&) const = default;
};

Pose poseOf(QQuickItem* item)
{
    qreal opacity = 1;
    for (QQuickItem* i = item; i; i = i->parentItem())
        opacity *= i->opacity();
    return {item->mapRectToScene(QRectF(0, 0, item->width(), item->height())), opacity};
}

// Lets two frames be rendered (or gives up on them after a while, for windows that are not
// rendering at all), so that animations advance between two samples: the first frame may
// have been synchronised before the request.
void waitForFrames(QQuickWindow* window)
{
    QSignalSpy swapped(window, &QQuickWindow::frameSwapped);
    for (int frame = 0; frame < 2; ++frame) {
        window->update();
        if (swapped.count() <= frame && !swapped.wait(1000))
            QCoreApplication::processEvents();
    }
}

bool isSelfOrRelative(QQuickItem* candidate, QQuickItem* item)
{
    for (QQuickItem* i = candidate; i; i = i->parentItem()) {
        if (i == item)
            return true; // the item or inside it
    }
    for (QQuickItem* i = item; i; i = i->parentItem()) {
        if (i == candidate)
            return true; // an ancestor: what the item lies on
    }
    return false;
}

QQuickItem* topmostAt(QQuickItem* item, QPointF scenePoint)
{
    if (!item->isVisible() || !item->isEnabled())
        return nullptr;
    // The popup layer spans the window and passes clicks on; only the popups in it take them.
    const bool passesClicksOn = item->inherits("QQuickOverlay");
    QList<QQuickItem*> children = item->childItems();
    // Later siblings and higher z paint (and take the mouse) on top.
    std::stable_sort(children.begin(), children.end(),
                     [](QQuickItem* a, QQuickItem* b) { return a->z() < b->z(); });
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        if (QQuickItem* found = topmostAt(*it, scenePoint))
            return found;
    }
    if (!passesClicksOn && item->acceptedMouseButtons() != Qt::NoButton &&
        item->contains(item->mapFromScene(scenePoint)))
        return item;
    return nullptr;
}

QString describe(QQuickItem* item)
{
    if (!item)
        return QStringLiteral("nothing");
    const QString name = item->objectName();
    return QString::fromLatin1(item->metaObject()->className()) +
           (name.isEmpty() ? QString() : QStringLiteral(" \"%1\"").arg(name));
}

// Why the item cannot take a click now; "" when it can.
QString obstacle(QQuickItem* item)
{
    QQuickWindow* window = item->window();
    if (!window || !window->isExposed())
        return QStringLiteral("its window is not on screen");
    if (!item->isVisible())
        return QStringLiteral("it is not visible");
    if (!item->isEnabled())
        return QStringLiteral("it is not enabled");
    if (item->width() <= 0 || item->height() <= 0)
        return QStringLiteral("it has no size");
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    if (!QRectF(QPointF(0, 0), QSizeF(window->size())).contains(centre))
        return QStringLiteral("its centre is outside the window");
    QQuickItem* target = mouseTargetAt(window, centre);
    if (target && !isSelfOrRelative(target, item))
        return QStringLiteral("%1 lies over it").arg(describe(target));
    return {};
}

// Stamps the next mouse event later than the double-click interval after the last one.
void spaceFromPreviousClick()
{
    QTest::lastMouseTimestamp += QGuiApplication::styleHints()->mouseDoubleClickInterval() + 1;
}

} // namespace

QQuickItem* mouseTargetAt(QQuickWindow* window, QPointF scenePoint)
{
    return window ? topmostAt(window->contentItem(), scenePoint) : nullptr;
}

bool waitUntilClickable(QQuickItem* item, QString* why, int timeoutMs)
{
    if (!item) {
        if (why)
            *why = QStringLiteral("there is no item");
        return false;
    }
    QQuickWindow* window = item->window();
    if (window && window->isExposed()) {
        // Hover moves onto the item: the previous item's tooltip closes.
        const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
        QTest::mouseMove(window, centre.toPoint());
    }
    QElapsedTimer timer;
    timer.start();
    QString problem;
    Pose previous;
    bool hasPrevious = false;
    int restingFrames = 0;
    for (;;) {
        problem = obstacle(item);
        if (problem.isEmpty()) {
            const Pose pose = poseOf(item);
            restingFrames = hasPrevious && previous == pose ? restingFrames + 1 : 0;
            previous = pose;
            hasPrevious = true;
            if (restingFrames >= 2)
                return true;
            problem = QStringLiteral("it is still moving or fading");
        } else {
            hasPrevious = false;
            restingFrames = 0;
        }
        if (timer.elapsed() > timeoutMs)
            break;
        if (item->window())
            waitForFrames(item->window());
        else
            QTest::qWait(20);
    }
    if (why)
        *why = QStringLiteral("%1 cannot be clicked: %2").arg(describe(item), problem);
    return false;
}

void clickAt(QQuickWindow* window, QPoint point)
{
    spaceFromPreviousClick();
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, point);
}

} // namespace uipointer
