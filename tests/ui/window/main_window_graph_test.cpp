// The Graph mode in the real window: it opens with the whole drawing in view and clear of the
// zoom panel, the wheel zooms about the pointer, hovering a project shows its tooltip and a click
// selects it, and a search brings its matches into view; nothing is said on standard error.
#include "GraphZoom.h"
#include "MindmapCanvas.h"
#include "MindmapModel.h"
#include "WindowFixture.h"
#include "ui/support/PointerSupport.h"

#include <QWheelEvent>

using uitest::kWindowWait;

namespace {

class GraphTest : public uitest::WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        makeThreeProjects();
        for (int i = 0; i < 24; ++i)
            m_tree.write(QStringLiteral("group-%1/project-%2/package.json").arg(i % 4).arg(i).toUtf8(),
                         R"({"name":"p)" + QByteArray::number(i) + "\"}");
        makeViewModel();
    }
    void TearDown() override
    {
        EXPECT_TRUE(m_messages.messages().isEmpty()) << m_messages.messages().join("\n").toStdString();
        WindowFixture::TearDown();
    }
    void open(QSize size)
    {
        ASSERT_TRUE(openWindow(size));
        ASSERT_TRUE(scan(m_tree.path()));
        m_window->setProperty("viewMode", int(ViewMode::Graph));
        ASSERT_TRUE(waitShown("graphScreen"));
        // Opening fits the drawing, once the canvas is laid out.
        ASSERT_TRUE(QTest::qWaitFor([&] {
            const viewmath::Fit fit = zoom()->fitted(zoom()->drawingRect());
            return !zoom()->drawingRect().isEmpty() && zoom()->graphScale() == fit.scale && zoom()->graphOffset() == fit.offset;
        }, kWindowWait));
        EXPECT_TRUE(allInView());
    }
    MindmapCanvas* canvas() { return qobject_cast<MindmapCanvas*>(item("mindmapNodes")); }
    GraphZoom* zoom() { return m_window->property("zoom").value<GraphZoom*>(); }
    QString path(const char* relative) const { return rootText() + '/' + QLatin1String(relative); }
    QPointF at(const QString& p) { return canvas()->mapToScene(canvas()->model()->nodePosition(p)); }
    QRectF sceneRect(QQuickItem* i) { return i->mapRectToScene(i->boundingRect()); }
    // Every node's centre lies in the Graph and off the zoom panel.
    bool allInView()
    {
        const QRectF view = sceneRect(item("graphScreen"));
        const QRectF panel = sceneRect(item("zoomPanel"));
        for (const CachedGraphNode& node : canvas()->model()->graph().flatNodes) {
            const QPointF p = at(node.fullPath);
            if (!view.contains(p) || panel.contains(p))
                return false;
        }
        return true;
    }
    void wheel(QPointF point, Qt::KeyboardModifiers modifiers)
    {
        QWheelEvent event(point, m_window->mapToGlobal(point), QPoint(), QPoint(0, 120), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QGuiApplication::sendEvent(m_window.get(), &event);
    }

    uitest::MessageRecorder m_messages;
};

} // namespace

TEST_F(GraphTest, OpensAndResetsToTheWholeDrawingClearOfTheSmallerZoomPanel)
{
    ASSERT_NO_FATAL_FAILURE(open(QSize(1000, 700)));
    EXPECT_LT(item("zoomPanel")->height(), 80) << "one row at 1000 x 700";
    const double fitted = zoom()->graphScale();
    zoom()->setGraphScale(3.0);
    zoom()->setGraphOffset(QSizeF(-900, 400));
    EXPECT_FALSE(allInView());
    uitest::click(item("zoomResetButton"));
    EXPECT_DOUBLE_EQ(zoom()->graphScale(), fitted);
    EXPECT_TRUE(allInView());
}

TEST_F(GraphTest, TheWheelZoomsAboutThePointerWithOrWithoutControl)
{
    ASSERT_NO_FATAL_FAILURE(open(QSize(1280, 820)));
    for (const Qt::KeyboardModifiers modifiers : {Qt::NoModifier, Qt::ControlModifier}) {
        const QPointF before = at(path("apps/shop"));
        const double scale = zoom()->graphScale();
        wheel(before, modifiers);
        EXPECT_NEAR(zoom()->graphScale(), scale * 1.1, 1e-9);
        EXPECT_NEAR(QLineF(at(path("apps/shop")), before).length(), 0, 0.5);
    }
}

TEST_F(GraphTest, HoverShowsTheTooltipAndAClickSelectsTheProject)
{
    ASSERT_NO_FATAL_FAILURE(open(QSize(1280, 820)));
    const QPoint shop = at(path("apps/shop")).toPoint();
    QTest::mouseMove(m_window.get(), QPoint(4, 4));
    QTest::mouseMove(m_window.get(), shop);
    ASSERT_TRUE(waitShown("hoverLabel"));
    const QVariantMap sync = m_viewModel->projectById(idOf("shop")).value("sync").toMap();
    ASSERT_FALSE(sync.value("summary").toString().isEmpty());
    QQuickItem* tip = item("hoverLabel");
    for (const QString& line : {QStringLiteral("shop"), QStringLiteral("Node.js"), sync.value("branchText").toString(),
                                sync.value("summary").toString(),
                                "Needs attention: " + sync.value("attentionText").toString()})
        EXPECT_TRUE(uitest::showsText(tip, line)) << line.toStdString() << " in " << uitest::visibleTexts(tip).join(" | ").toStdString();
    EXPECT_FALSE(sceneRect(tip).contains(shop)) << "beside the node, not over it";
    EXPECT_TRUE(sceneRect(item("graphScreen")).contains(sceneRect(tip)));

    uipointer::clickAt(m_window.get(), shop);
    EXPECT_TRUE(QTest::qWaitFor([&] { return m_viewModel->selectedProjectId() == idOf("shop"); }, kWindowWait));
    // The detail pane beside the Graph shows it.
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown("sideDetail") && text("detailName") == "shop"; }, kWindowWait));
}

TEST_F(GraphTest, ASearchBringsItsMatchesIntoViewAndTheBadgeCoversNone)
{
    ASSERT_NO_FATAL_FAILURE(open(QSize(1000, 700)));
    zoom()->setGraphScale(3.0);
    zoom()->setGraphOffset(QSizeF(2000, 2000));
    m_viewModel->setSearchText("shop");
    ASSERT_TRUE(waitShown("matchBadge"));
    const QRectF view = sceneRect(item("graphScreen"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.contains(at(path("apps/shop"))); }, kWindowWait));
    EXPECT_LE(zoom()->graphScale(), 1.0) << "a single match is not blown up";
    const QRectF badge = sceneRect(item("matchBadge"));
    for (const CachedGraphNode& node : canvas()->model()->graph().flatNodes)
        EXPECT_FALSE(badge.contains(at(node.fullPath))) << node.fullPath.toStdString();

    // Clearing the search shows the whole drawing again.
    m_viewModel->setSearchText("");
    EXPECT_TRUE(QTest::qWaitFor([&] { return allInView(); }, kWindowWait));
}
