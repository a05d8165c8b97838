// The header's width sharing, the selection stepping of the list, and the window's small
// texts: counts, scoped names, shortcuts, notices, the welcome kinds and capped folder texts.
#include "HeaderFit.h"
#include "NameElide.h"
#include "WindowLogic.h"

#include "model/ProjectType.h"
#include "state/DisplayText.h"

#include <QFontMetricsF>
#include <QKeySequence>
#include <limits>
#include <QStandardItemModel>
#include <gtest/gtest.h>


TEST(HeaderFit, EachPartGivesWayInItsTurn)
{
    using headerfit::Room;
    // 600 of controls, 9 gaps, a title of 24 + 130, counters whose words take 200 (40 of it
    // saved by one word each). Each row: the room, then what the fit gives.
    const auto room = [](double available) {
        return Room{available, 600, 9, 130, 24, 0, 250, true, 200, 40};
    };
    struct Case {
        double available;
        double folder, search, gap;
        bool titleText, titleSymbol, shortWords, words;
    };
    const double all = 600 + 9 * 16 + 130 + 24 + 200; // everything at its natural size, folder 0
    // Each row gives the room what the steps before it gave: the search 60, the title text 130,
    // the symbol and its gap 40, the tighter gaps 48, the search again 40, one word each 40.
    const Case cases[] = {
        {all + 250, 250, 200, 16, true, true, false, true},      // plenty of room
        {all + 180, 180, 200, 16, true, true, false, true},      // the folder text elides ...
        {all + 110, 150, 160, 16, true, true, false, true},      // ... then the search narrows
        {all + 50, 240, 140, 16, false, true, false, true},      // the title text goes
        {all - 140, 150, 128, 10, false, false, false, true},    // the symbol, the gaps, the search
        {all - 200, 118, 100, 10, false, false, false, true},    // the folder below its minimum
        {all - 250, 108, 100, 10, false, false, true, true},     // one word each
        {all - 400, 118, 100, 10, false, false, true, false},    // numbers alone
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.available);
        const headerfit::Fit f = headerfit::fit(room(c.available));
        EXPECT_EQ(f.showTitleText, c.titleText);
        EXPECT_EQ(f.showTitleSymbol, c.titleSymbol);
        EXPECT_EQ(f.shortCounterWords, c.shortWords);
        EXPECT_EQ(f.showCounterWords, c.words);
        EXPECT_EQ(f.searchWidth, c.search);
        EXPECT_EQ(f.gap, c.gap);
        EXPECT_NEAR(f.folderWidth, c.folder, 1e-9);
    }
    // Whatever the width, what is shown fits once the folder is above its floor.
    for (double available = 700; available <= 1700; available += 7) {
        const headerfit::Fit f = headerfit::fit(room(available));
        const int gaps = f.showTitleSymbol ? 9 : 8;
        const double words = f.showCounterWords ? (f.shortCounterWords ? 160 : 200) : 0;
        const double used = 600 - 200 + words + gaps * f.gap + (f.showTitleText ? 130 : 0) +
                            (f.showTitleSymbol ? 24 : 0) + f.searchWidth + f.folderWidth;
        if (f.folderWidth > headerfit::folderFloor) {
            EXPECT_LE(used, available + 1e-9) << available;
        }
        EXPECT_GE(f.searchWidth, headerfit::searchNarrowest);
    }
    // A long folder text is capped; a short one is never stretched; without a folder, no search.
    EXPECT_EQ(headerfit::fit(room(3000)).folderWidth, 250);
    // The sort button leaves before the folder button shrinks to its floor.
    Room withSort = room(all - 318 + 60); // 60 left after every step before it: short of the floor
    withSort.sortWidth = 36;
    const headerfit::Fit sortFit = headerfit::fit(withSort);
    EXPECT_FALSE(sortFit.showSortButton);
    EXPECT_TRUE(sortFit.showCounterWords);
    EXPECT_FALSE(sortFit.shortCounterWords);
    EXPECT_EQ(headerfit::fit(Room{3000, 600, 9, 130, 24, 0, 900, true, 0, 0}).folderWidth, headerfit::folderWidest);
    EXPECT_EQ(headerfit::fit(Room{3000, 100, 2, 130, 24, 0, 900, false, 0, 0}).folderWidth, headerfit::folderWidestAlone);
    EXPECT_EQ(headerfit::fit(Room{700, 600, 9, 130, 24, 0, 60, true, 0, 0}).folderWidth, 60);
}

TEST(ListSelection, StepsClampToTheListAndStartAtTheFirstRow)
{
    QStandardItemModel model;
    model.setItemRoleNames({{Qt::UserRole + 1, "id"}});
    for (const char* id : {"a", "b", "c"}) {
        auto* item = new QStandardItem;
        item->setData(QString::fromLatin1(id), Qt::UserRole + 1);
        model.appendRow(item);
    }
    WindowLogic logic;
    EXPECT_EQ(logic.steppedProjectId(&model, "a", 1), "b");
    EXPECT_EQ(logic.steppedProjectId(&model, "c", 1), "c");
    EXPECT_EQ(logic.steppedProjectId(&model, "a", -1), "a");
    EXPECT_EQ(logic.steppedProjectId(&model, "gone", 1), "a");
    EXPECT_EQ(logic.steppedProjectId(&model, "", -1), "a");
    QStandardItemModel empty;
    EXPECT_EQ(logic.steppedProjectId(&empty, "a", 1), "");
    EXPECT_EQ(logic.steppedProjectId(nullptr, "a", 1), "");
}

TEST(NameElide, ScopedNamesKeepThePartAfterTheSlash)
{
    QFont font;
    font.setPixelSize(15);
    const QFontMetricsF metrics(font);
    const QString scoped = QStringLiteral("@react-navigation/bottom-tabs");
    const double full = metrics.horizontalAdvance(scoped);
    EXPECT_EQ(nameelide::elideName(scoped, font, full), scoped) << "a name that fits stays whole";

    // Narrower: the scope shrinks, "/bottom-tabs" stays whole, and the result fits.
    const double narrow = metrics.horizontalAdvance(QStringLiteral("@react…/bottom-tabs")) + 1;
    const QString shortened = nameelide::elideName(scoped, font, narrow);
    EXPECT_TRUE(shortened.endsWith(QStringLiteral("…/bottom-tabs"))) << shortened.toStdString();
    EXPECT_TRUE(shortened.startsWith(QStringLiteral("@r"))) << shortened.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(shortened), narrow);

    // Too narrow even for the part after the slash: cut in the middle, still within the width.
    const double tiny = metrics.horizontalAdvance(QStringLiteral("bottom-tabs"));
    const QString middle = nameelide::elideName(scoped, font, tiny);
    EXPECT_TRUE(middle.contains(QChar(0x2026)));
    EXPECT_LE(metrics.horizontalAdvance(middle), tiny);

    // Other names lose their end.
    const QString plain = QStringLiteral("a-rather-long-project-name");
    const QString cut = nameelide::elideName(plain, font, metrics.horizontalAdvance(plain) / 2);
    EXPECT_TRUE(cut.startsWith(QStringLiteral("a-rather"))) << cut.toStdString();
    EXPECT_TRUE(cut.endsWith(QChar(0x2026)));
}

TEST(WindowTexts, CountsNamesShortcutsNoticesAndKinds)
{
    WindowLogic logic;
    logic.setHomePath("/home/ann");
    EXPECT_EQ(logic.countWord(1, "project", "projects"), "project");
    EXPECT_EQ(logic.countWord(0, "project", "projects"), "projects");
    EXPECT_EQ(logic.countWord(2, "project", "projects"), "projects");
    EXPECT_EQ(logic.countWord(-1, "project", "projects"), "projects");

    EXPECT_TRUE(logic.isScopedName("@react-navigation/native-stack"));
    EXPECT_FALSE(logic.isScopedName("react-navigation"));
    EXPECT_FALSE(logic.isScopedName("@/x"));
    EXPECT_FALSE(logic.isScopedName("@scope"));

    EXPECT_EQ(QKeySequence(logic.shortcutText(QStringLiteral("Ctrl+O")), QKeySequence::NativeText),
              QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(logic.shortcutText(QVariant::fromValue(QKeySequence(QStringLiteral("Ctrl+Q")))),
              QKeySequence(QStringLiteral("Ctrl+Q")).toString(QKeySequence::NativeText));

    EXPECT_EQ(logic.missingFolderText(""), "");
    const QString notice = logic.missingFolderText("/home/ann/code");
    EXPECT_TRUE(notice.contains("~/code")) << notice.toStdString();
    EXPECT_TRUE(notice.contains("not found"));

    EXPECT_EQ(logic.noticeDuration("Copied"), 2000);
    EXPECT_GT(logic.noticeDuration(QString(100, 'x')), logic.noticeDuration("Copied"));
    EXPECT_EQ(logic.noticeDuration(QString(100000, 'x')), 10000);

    // The welcome tiles come from the model's kinds: all but Unknown.
    const QVariantList kinds = logic.recognisedKinds();
    ASSERT_EQ(kinds.size(), qsizetype(projecttype::allCases.size() - 1));
    EXPECT_EQ(kinds.first().toMap().value("type").toString(), "Node.js");
    for (const QVariant& k : kinds) {
        EXPECT_NE(k.toMap().value("type").toString(), "Unknown");
        EXPECT_FALSE(k.toMap().value("icon").toString().isEmpty());
    }
}

TEST(WindowTexts, TilesSpreadEvenlyOverAsFewRowsAsFit)
{
    struct Case {
        int count;
        double width;
        int columns;
    };
    // 84-point tiles 12 apart: 9 fit in 936 points, so 14 kinds make two rows of 7.
    for (const Case c : {Case{14, 936, 7}, Case{14, 2000, 14}, Case{14, 600, 5}, Case{6, 936, 6}, Case{14, 10, 1},
                         Case{0, 936, 1}, Case{14, -5, 1}, Case{14, std::numeric_limits<double>::quiet_NaN(), 1}})
        EXPECT_EQ(windowlogic::tileColumns(c.count, c.width, 84, 12), c.columns) << c.count << " in " << c.width;
}

TEST(DisplayTexts, LongTextsAreCappedWithoutSplittingCharacters)
{
    EXPECT_EQ(displayText(QStringLiteral("short")), "short");
    const QString limit(displayTextLimit, QLatin1Char('a'));
    EXPECT_EQ(displayText(limit), limit);
    const QString capped = displayText(QString(5'000'000, QLatin1Char('b')));
    EXPECT_EQ(capped.size(), displayTextLimit);
    EXPECT_TRUE(capped.endsWith(QChar(0x2026)));
    // An emoji across the cut point is dropped whole, not halved.
    QString emoji = QString(displayTextLimit - 2, QLatin1Char('c')) + QString::fromUtf8("\xF0\x9F\x98\x80") + "tail";
    const QString cut = displayText(emoji);
    EXPECT_FALSE(cut.at(cut.size() - 2).isHighSurrogate());
    EXPECT_FALSE(displayText(std::optional<QString>()).has_value());
}
