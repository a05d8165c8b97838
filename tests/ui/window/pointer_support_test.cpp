// The shared click of the UI tests on a small window of its own: it waits for covered, fading
// and moving items, and two clicks in a row stay two clicks.
#include "UiTestSupport.h"
#include "ui/support/PointerSupport.h"

#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStyleHints>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

constexpr int kWait = 60000;

// Two buttons one above the other, a popup that can cover the upper one (as a tooltip of the
// lower one does), and a button that fades and slides in when `arrive` is set.
const char* const kWindowQml = R"(
import QtQuick
import QtQuick.Controls
Window {
    width: 400; height: 300; visible: true
    property int upperClicks: 0
    property int upperDoubleClicks: 0
    property int lowerClicks: 0
    property bool arrive: false
    property real opacityAtClick: -1
    property real xAtClick: -1
    MouseArea {
        objectName: "upper"; x: 20; y: 20; width: 80; height: 30
        onClicked: upperClicks++
        onDoubleClicked: upperDoubleClicks++
    }
    MouseArea {
        objectName: "lower"; x: 20; y: 60; width: 80; height: 30
        onClicked: lowerClicks++
    }
    Popup {
        objectName: "cover"; x: 10; y: 10; width: 120; height: 45
        closePolicy: Popup.NoAutoClose
    }
    Rectangle {
        objectName: "arriving"; y: 150; width: 80; height: 30
        x: arrive ? 200 : 20
        opacity: arrive ? 1 : 0.2
        Behavior on x { NumberAnimation { duration: 400 } }
        Behavior on opacity { NumberAnimation { duration: 400 } }
        MouseArea {
            anchors.fill: parent
            onClicked: { opacityAtClick = parent.opacity; xAtClick = parent.x }
        }
    }
}
)";

class PointerSupportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_component = std::make_unique<QQmlComponent>(&m_engine);
        m_component->setData(kWindowQml, QUrl());
        m_window.reset(qobject_cast<QQuickWindow*>(m_component->create()));
        ASSERT_TRUE(m_window) << m_component->errorString().toStdString();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    QQuickItem* item(const char* name) { return m_window->findChild<QQuickItem*>(QString::fromLatin1(name)); }
    QObject* popup() { return m_window->findChild<QObject*>(QStringLiteral("cover")); }
    int count(const char* property) { return m_window->property(property).toInt(); }

    QQmlEngine m_engine;
    std::unique_ptr<QQmlComponent> m_component;
    std::unique_ptr<QQuickWindow> m_window;
};

TEST_F(PointerSupportTest, AnItemUnderAPopupIsNotClickableUntilThePopupCloses)
{
    QMetaObject::invokeMethod(popup(), "open");
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup()->property("opened").toBool(); }, kWait));
    QString why;
    EXPECT_FALSE(uipointer::waitUntilClickable(item("upper"), &why, 300));
    EXPECT_TRUE(why.contains("lies over it")) << why.toStdString();
    // Pressed anyway, the popup takes the click: what made the window test lose clicks.
    uipointer::clickAt(m_window.get(), QPoint(60, 35));
    EXPECT_EQ(count("upperClicks"), 0);
    // The lower one is not covered.
    uitest::click(item("lower"));
    EXPECT_EQ(count("lowerClicks"), 1);

    QMetaObject::invokeMethod(popup(), "close");
    uitest::click(item("upper"));
    EXPECT_EQ(count("upperClicks"), 1);
}

TEST_F(PointerSupportTest, TwoClicksInARowAreNeverADoubleClick)
{
    // A platform whose double-click interval is longer than QTest's own spacing of clicks.
    QStyleHints* hints = QGuiApplication::styleHints();
    const int saved = hints->mouseDoubleClickInterval();
    hints->setMouseDoubleClickInterval(5000);
    for (int i = 0; i < 3; ++i)
        uitest::click(item("upper"));
    hints->setMouseDoubleClickInterval(saved);
    EXPECT_EQ(count("upperClicks"), 3);
    EXPECT_EQ(count("upperDoubleClicks"), 0);
}

TEST_F(PointerSupportTest, AClickWaitsForAnItemThatIsStillMovingOrFading)
{
    m_window->setProperty("arrive", true);
    uitest::click(item("arriving"));
    EXPECT_DOUBLE_EQ(m_window->property("opacityAtClick").toDouble(), 1.0);
    EXPECT_DOUBLE_EQ(m_window->property("xAtClick").toDouble(), 200.0);
}

TEST_F(PointerSupportTest, HiddenDisabledAndMissingItemsAreReported)
{
    QString why;
    EXPECT_FALSE(uipointer::waitUntilClickable(nullptr, &why, 0));
    EXPECT_FALSE(why.isEmpty());
    item("lower")->setEnabled(false);
    EXPECT_FALSE(uipointer::waitUntilClickable(item("lower"), &why, 100));
    EXPECT_TRUE(why.contains("not enabled")) << why.toStdString();
    item("lower")->setVisible(false);
    EXPECT_FALSE(uipointer::waitUntilClickable(item("lower"), &why, 100));
    EXPECT_TRUE(why.contains("not visible")) << why.toStdString();
}

} // namespace
