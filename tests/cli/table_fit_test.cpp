// The project table on terminals of every width: no line is wider than the terminal, and the
// columns that matter least give way first.
#include "cli/ProjectFormats.h"
#include "cli/TerminalText.h"
#include "support/ProjectFactory.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <sstream>

namespace {

// Repositories with an upstream: express 2 ahead, 1 behind, with changes; the others clean.
QList<Project> sample() {
    const auto repository = [](const QByteArray& path, const char* name, const char* branch, int counts) {
        Project p = testprojects::projectAt(path);
        p.name = QString::fromUtf8(name);
        p.version = QStringLiteral("4.18.2");
        p.gitBranch = QString::fromUtf8(branch);
        p.hasGit = true;
        p.hasUncommittedChanges = counts > 0;
        p.lastModified = QDateTime::currentDateTimeUtc().addDays(-3);
        p.git.emplace();
        p.git->upstream = QStringLiteral("origin/main");
        p.git->ahead = p.git->unstaged = 2 * counts;
        p.git->behind = p.git->untracked = counts;
        return p;
    };
    return {repository("/home/someone/code/express", "express", "main", 1),
            repository("/home/someone/code/web/design-system", "@acme/design-system", "feature/tokens", 0),
            repository("/home/someone/code/api-gateway", "api-gateway", "main", 0)};
}

// The lines as the terminal shows them: colours taken out.
QStringList shownLines(const std::string& text) {
    QString plain = QString::fromStdString(text);
    plain.remove(QRegularExpression(QStringLiteral("\x1b\\[[0-9;]*m")));
    return plain.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList tableLines(const QList<Project>& projects, TableOptions options) {
    std::ostringstream out;
    writeProjectTable(projects, out, options);
    return shownLines(out.str());
}

TEST(TableFit, EachWidthKeepsTheMostUsefulColumns) {
    const QStringList titles = {"NAME", "KIND", "VERSION", "BRANCH", "SYNC", "CHANGES", "LAST CHANGE", "PATH"};
    struct Case {
        int width;
        QStringList shown;
        const char* express; // how the first row ends: its path, cut at a folder when it is cut
    };
    const Case cases[] = {
        {40, {"NAME", "SYNC", "PATH"}, "  \u2026/express"},
        {60, {"NAME", "SYNC", "PATH"}, "  /home/someone/code/express"},
        {80, {"NAME", "SYNC", "CHANGES", "PATH"}, "  \u2026/someone/code/express"},
        {120, {"NAME", "KIND", "BRANCH", "SYNC", "CHANGES", "PATH"}, "  /home/someone/code/express"},
        {200, titles, "  /home/someone/code/express"},
    };
    for (const Case& c : cases) {
        const QStringList lines = tableLines(sample(), TableOptions{true, false, c.width});
        ASSERT_EQ(lines.size(), 4) << c.width;
        for (const QString& line : lines) EXPECT_LE(terminaltext::displayWidth(line), c.width) << line.toStdString();
        QStringList shown;
        for (const QString& title : titles) {
            if (lines[0].contains(title)) shown << title;
        }
        EXPECT_EQ(shown, c.shown) << c.width << "\n" << lines.join('\n').toStdString();
        EXPECT_TRUE(lines[1].endsWith(QString::fromUtf8(c.express))) << lines[1].toStdString();
        EXPECT_EQ(lines[2].contains(QChar(0x2026)), c.width < 120) << "the longest path is cut only when it must be";
    }
}

TEST(TableFit, EveryWidthIsKeptToAndAPipeCutsNothing) {
    QList<Project> projects = sample();
    projects[0].name = QStringLiteral("x").repeated(300) + QString::fromUtf8("\u65e5\u672c");
    projects[1].path = "/home/" + QByteArray("very-long-folder/").repeated(20) + "app";
    for (const bool reasons : {false, true}) {
        for (int width = 1; width <= 220; ++width) {
            for (const QString& line : tableLines(projects, TableOptions{true, reasons, width}))
                ASSERT_LE(terminaltext::displayWidth(line), width) << line.toStdString();
        }
    }
    const QStringList piped = tableLines(projects, TableOptions{});
    EXPECT_TRUE(piped[1].startsWith(projects[0].name));
    EXPECT_TRUE(piped[2].endsWith(QString::fromUtf8(projects[1].path)));
    EXPECT_FALSE(piped.join(QString()).contains(QChar(0x2026)));
}

} // namespace
