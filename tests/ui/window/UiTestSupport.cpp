#include "UiTestSupport.h"

#include "QmlSetup.h"
#include "ui/support/PointerSupport.h"

#include <QApplication>
#include <QMutex>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

#include <dlfcn.h>

namespace uitest {

namespace {
QTemporaryDir* g_settings = nullptr;

QStringList g_messages;
QMutex g_messagesMutex;
void recordMessage(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    QMutexLocker lock(&g_messagesMutex);
    g_messages.append(message);
}

void collect(QQuickItem* item, const QString& name, QList<QQuickItem*>& out)
{
    if (!item || !item->isVisible())
        return;
    if (item->objectName() == name)
        out.append(item);
    for (QQuickItem* child : item->childItems())
        collect(child, name, out);
}

QQuickItem* rootItem(QObject* root)
{
    if (auto* w = qobject_cast<QQuickWindow*>(root))
        return w->contentItem();
    return qobject_cast<QQuickItem*>(root);
}

void texts(QQuickItem* item, QStringList& out)
{
    if (!item || !item->isVisible() || item->opacity() == 0.0)
        return;
    if (item->inherits("QQuickText") || item->inherits("QQuickTextEdit") || item->inherits("QQuickTextInput")) {
        const QString t = item->property("text").toString();
        if (!t.isEmpty())
            out.append(t);
    }
    for (QQuickItem* child : item->childItems())
        texts(child, out);
}
} // namespace

QString settingsDir()
{
    return g_settings ? g_settings->path() : QString();
}

QQuickItem* findItem(QObject* root, const QString& objectName)
{
    const auto all = findItems(root, objectName);
    return all.isEmpty() ? nullptr : all.first();
}

QList<QQuickItem*> findItems(QObject* root, const QString& objectName)
{
    QList<QQuickItem*> out;
    collect(rootItem(root), objectName, out);
    return out;
}

void click(QQuickItem* item)
{
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->window());
    QString why;
    ASSERT_TRUE(uipointer::waitUntilClickable(item, &why)) << why.toStdString();
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    uipointer::clickAt(item->window(), centre.toPoint());
}

QStringList visibleTexts(QQuickItem* item)
{
    QStringList out;
    texts(item, out);
    return out;
}

bool showsText(QQuickItem* item, const QString& text)
{
    return visibleTexts(item).contains(text);
}

MessageRecorder::MessageRecorder()
{
    QMutexLocker lock(&g_messagesMutex);
    g_messages.clear();
    m_previous = qInstallMessageHandler(recordMessage);
}

MessageRecorder::~MessageRecorder()
{
    qInstallMessageHandler(m_previous);
}

QStringList MessageRecorder::messages() const
{
    QMutexLocker lock(&g_messagesMutex);
    return g_messages;
}

} // namespace uitest

int main(int argc, char** argv)
{
    // Mesa's software GL driver is loaded and unloaded by libGL; kept loaded, the leak checker
    // can name it in its reports (and scripts/lsan.supp can pass over its own allocations).
    (void)dlopen("/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    // Settings of this process live in a folder of its own, before anything reads them.
    QTemporaryDir settings;
    uitest::g_settings = &settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toUtf8());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());

    QApplication app(argc, argv);
    uisetup::prepareApplication();
    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    uitest::g_settings = nullptr;
    return rc;
}
