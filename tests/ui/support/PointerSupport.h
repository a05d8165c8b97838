#pragma once

#include <QPoint>
#include <QString>

class QQuickItem;
class QQuickWindow;

// Clicks for tests that drive a real window, made so that a loaded machine cannot change
// what they do:
// - the click waits until the item can take it: visible, enabled, laid out, not moving or
//   fading (the same geometry and opacity over consecutive rendered frames), and no other item
//   that takes the mouse (a tooltip or popup, a sibling) over its centre;
// - the pointer first moves onto the item, so that the hover (and tooltip) of the item clicked
//   before ends and its popup closes;
// - each press is stamped later than the platform's double-click interval after the previous
//   one, so that two clicks in a row are never taken for a double click.
namespace uipointer {

// The longest a click waits for its item.
inline constexpr int kReadyTimeoutMs = 20000;

// Waits until `item` can take a click at its centre. On failure `why` says what was wrong.
bool waitUntilClickable(QQuickItem* item, QString* why, int timeoutMs = kReadyTimeoutMs);

// A left click at `point` of the window (window coordinates), spaced from the previous one.
void clickAt(QQuickWindow* window, QPoint point);

// The item that would receive a press at `scenePoint`: the topmost visible, enabled item there
// that accepts mouse buttons; nullptr when none does.
QQuickItem* mouseTargetAt(QQuickWindow* window, QPointF scenePoint);

} // namespace uipointer
