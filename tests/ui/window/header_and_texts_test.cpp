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

using headerfit::fit;

TEST(HeaderFit, TheFolderTextGivesWayFirstThenTheSearchThenTheTitle)
{
    // Plenty of room: everything at its natural size.
    auto wide = fit(2000, 600, 130, 250, true);
    EXPECT_EQ(wide.folderWidth, 250);
    EXPECT_EQ(wide.searchWidth, headerfit::searchWidest);
    EXPECT_TRUE(wide.showTitleText);
    // A long folder text is capped at its widest.
    EXPECT_EQ(fit(2000, 600, 130, 900, true).folderWidth, headerfit::folderWidest);
    EXPECT_EQ(fit(2000, 100, 130, 900, false).folderWidth, headerfit::folderWidestAlone);

    // Less room: the folder button shrinks (its text elides) down to its minimum ...
    auto tighter = fit(600 + 130 + 200 + 180, 600, 130, 250, true);
    EXPECT_EQ(tighter.folderWidth, 180);
    EXPECT_EQ(tighter.searchWidth, headerfit::searchWidest);
    EXPECT_TRUE(tighter.showTitleText);
    // ... then the search field narrows, and only it ...
    auto narrower = fit(600 + 130 + 200 + headerfit::folderMinimum - 40, 600, 130, 250, true);
    EXPECT_EQ(narrower.folderWidth, headerfit::folderMinimum);
    EXPECT_EQ(narrower.searchWidth, headerfit::searchWidest - 40);
    EXPECT_TRUE(narrower.showTitleText);
    // ... then the title text goes, and what it leaves goes to the folder.
    auto tight = fit(600 + 130 + 200 + headerfit::folderMinimum - 100, 600, 130, 250, true);
    EXPECT_EQ(tight.searchWidth, headerfit::searchNarrowest);
    EXPECT_FALSE(tight.showTitleText);
    EXPECT_EQ(tight.folderWidth, headerfit::folderMinimum - 100 + 60 + 130);

    // Whatever happens, the parts add up to the room when there is room for the floor.
    for (double available = 700; available <= 1600; available += 7) {
        const auto f = fit(available, 600, 130, 400, true);
        const double used = 600 + (f.showTitleText ? 130 : 0) + f.searchWidth + f.folderWidth;
        if (f.folderWidth > headerfit::folderFloor) {
            EXPECT_LE(used, available + 1e-9) << available;
        }
        EXPECT_GE(f.searchWidth, headerfit::searchNarrowest);
    }
    // A short folder text is never stretched.
    EXPECT_EQ(fit(700, 600, 130, 60, true).folderWidth, 60);

    // Last of all the counters drop their words, and only when the folder is at its floor.
    EXPECT_TRUE(fit(600 + 140 + headerfit::folderFloor, 600, 130, 400, true, 200).showCounterWords);
    const auto numbersOnly = fit(600 + 140 + headerfit::folderFloor - 50, 600, 130, 400, true, 200);
    EXPECT_FALSE(numbersOnly.showCounterWords);
    EXPECT_FALSE(numbersOnly.showTitleText);
    EXPECT_EQ(numbersOnly.searchWidth, headerfit::searchNarrowest);
    EXPECT_EQ(numbersOnly.folderWidth, headerfit::folderFloor - 50 + 200 > 400 ? 400 : headerfit::folderFloor - 50 + 200);
    EXPECT_TRUE(fit(500, 600, 130, 400, true).showCounterWords) << "no words to drop";
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
