#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <QTemporaryDir>

class QObject;
class QQuickItem;
class QQuickWindow;

// Shared pieces of the UI tests: an application with its own settings location, and
// helpers to find and press items of a live window.
namespace uitest {

// The temporary folder that holds this test program's settings (never the user's).
QString settingsDir();

// The visible item with this objectName below `root`, or nullptr.
QQuickItem* findItem(QObject* root, const QString& objectName);
// Every visible item with this objectName below `root`, in tree order.
QList<QQuickItem*> findItems(QObject* root, const QString& objectName);
// Left click in the middle of an item, once it can take it (see uipointer::waitUntilClickable);
// the test fails when it never can.
void click(QQuickItem* item);
// The concatenated texts of all visible Text items below `item`.
QStringList visibleTexts(QQuickItem* item);
// True when a visible Text below `item` shows exactly `text`.
bool showsText(QQuickItem* item, const QString& text);

// Records the warnings and errors that reach Qt's message handler while it lives.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    QStringList messages() const;

private:
    QtMessageHandler m_previous;
};

} // namespace uitest
