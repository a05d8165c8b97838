// The header bar's geometry in the real window: every control whole, inside the window and
// clear of the others at every width from the minimum up, with a long root folder; one
// height on every screen; the search field stays put when the kind filter appears.
#include "WindowFixture.h"

#include <QRectF>

namespace {

using uitest::WindowFixture;
using uitest::findItem;

// The controls that stay at every width, and those that give way where room is short (checked
// while they show).
const char* const kControls[] = {"folderButton", "searchBox", "kindFilter", "viewModeSwitch",
                                 "rescanButton", "projectsPill", "modifiedPill", "attentionPill"};
const char* const kOptionalControls[] = {"titleGroup", "sortButton"};

class HeaderGeometry : public WindowFixture {
protected:
    QRectF sceneRect(QQuickItem* i) { return i->mapRectToScene(QRectF(0, 0, i->width(), i->height())); }

    // True once every control is inside the window and clear of the others (the layout may
    // still be settling right after a resize).
    bool tidy()
    {
        QList<QRectF> rects;
        for (const char* name : kControls) {
            QQuickItem* control = item(name);
            if (!control)
                return false;
            const QRectF r = sceneRect(control);
            if (r.left() < 0 || r.right() > m_window->width())
                return false;
            for (const QRectF& other : rects)
                if (other.intersects(r))
                    return false;
            rects.append(r);
        }
        return true;
    }

    // Fails the test for each control outside the window or the header, or overlapping another.
    void expectTidy(const QString& where)
    {
        QQuickItem* header = item("headerBar");
        ASSERT_TRUE(header);
        const QRectF bar = sceneRect(header);
        QList<std::pair<QString, QRectF>> rects;
        QList<const char*> names(std::begin(kControls), std::end(kControls));
        for (const char* name : kOptionalControls)
            if (item(name)) names.append(name);
        for (const char* name : names) {
            QQuickItem* control = item(name);
            ASSERT_TRUE(control) << name << " at " << where.toStdString();
            const QRectF r = sceneRect(control);
            EXPECT_GT(r.width(), 0) << name;
            EXPECT_GE(r.left(), 0) << name << " at " << where.toStdString();
            EXPECT_LE(r.right(), m_window->width()) << name << " sticks out at " << where.toStdString();
            EXPECT_GE(r.top(), bar.top()) << name;
            EXPECT_LE(r.bottom(), bar.bottom()) << name;
            rects.append({QString::fromLatin1(name), r});
        }
        for (qsizetype i = 0; i < rects.size(); ++i)
            for (qsizetype j = i + 1; j < rects.size(); ++j)
                EXPECT_FALSE(rects[i].second.intersects(rects[j].second))
                    << rects[i].first.toStdString() << " overlaps " << rects[j].first.toStdString() << " at "
                    << where.toStdString();
    }
};

TEST_F(HeaderGeometry, EveryControlStaysWholeFromTheMinimumWidthUp)
{
    // A long root folder with projects of two kinds, so the kind filter shows.
    const QByteArray root = m_tree.mkdir("a-rather-long-folder-name-for-the-projects/with several/levels of"
                                         "/nesting-that-goes-on/and-on-and-on/until-it-is-really-long");
    const QByteArray relative = root.mid(m_tree.path().size() + 1);
    m_tree.write(relative + "/web/package.json", R"({"name":"web"})");
    m_tree.write(relative + "/tool/pyproject.toml", "[project]\nname = \"tool\"\n");
    makeViewModel();
    QQuickWindow* window = openWindow(QSize(1000, 700));
    ASSERT_TRUE(window);
    ASSERT_TRUE(uitest::showsText(item("headerBar"), "Codeorchardist"));
    const double welcomeHeight = item("headerBar")->height();
    ASSERT_TRUE(scan(root));
    ASSERT_TRUE(waitShown("kindFilter"));
    EXPECT_EQ(item("headerBar")->height(), welcomeHeight) << "one header height on every screen";

    for (int width : {1000, 1040, 1100, 1200, 1280, 1440, 1600}) {
        window->resize(width, 700);
        ASSERT_TRUE(QTest::qWaitFor([&] { return item("headerBar")->width() == width; }, uitest::kWindowWait));
        // A fault shows as a layout that never gets tidy: wait for it a while, then report it.
        (void)QTest::qWaitFor([&] { return tidy(); }, 20000);
        expectTidy(QStringLiteral("width %1").arg(width));
    }

    // At the minimum the folder text is elided, the search field keeps its narrowest, and every
    // counter keeps a word ("2 projects", "0 modified", "0 attention" at the least); the title
    // went first.
    window->resize(1000, 700);
    ASSERT_TRUE(QTest::qWaitFor([&] { return item("headerBar")->width() == 1000; }, uitest::kWindowWait));
    EXPECT_TRUE(item("folderText")->property("truncated").toBool());
    EXPECT_GE(item("searchField")->width(), 99);
    EXPECT_FALSE(item("titleGroup"));
    for (const char* pill : {"projectsPill", "modifiedPill", "attentionPill"}) {
        QQuickItem* word = findItem(item(pill), "pillLabel");
        EXPECT_TRUE(word) << pill << " lost its word";
    }
}

TEST_F(HeaderGeometry, TheSearchFieldStaysPutWhenTheKindFilterAppears)
{
    const QByteArray empty = m_tree.mkdir("empty");
    m_tree.write("full/app/package.json", "{}");
    makeViewModel();
    // Wide enough that the search field has its full width: below that it shares the room
    // with the counters, whose words change with the counts.
    QQuickWindow* window = openWindow(QSize(1600, 1000));
    ASSERT_TRUE(window);
    ASSERT_TRUE(scan(empty));
    ASSERT_TRUE(waitShown("noProjectsView"));
    ASSERT_FALSE(item("kindFilter")) << "no kinds, no filter";
    // Measured from the view-mode switch: the counters' words may change width meanwhile.
    auto distance = [&] { return sceneRect(item("viewModeSwitch")).x() - sceneRect(item("searchBox")).x(); };
    const double before = distance();
    ASSERT_TRUE(scan(m_tree.path() + "/full"));
    ASSERT_TRUE(waitShown("kindFilter"));
    EXPECT_EQ(distance(), before);
}

} // namespace
