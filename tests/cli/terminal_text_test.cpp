#include "cli/TerminalText.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <unistd.h>

using namespace terminaltext;

namespace {

TEST(TerminalText, WidthFollowsTheTerminalsRules) {
    struct Case {
        const char* text;
        int width;
    };
    const Case cases[] = {
        {"abc", 3},
        {"\u65e5\u672c\u8a9e", 6},         // CJK: two columns each
        {"\uff21", 2},                     // fullwidth A
        {"e\u0301", 1},                    // e + combining acute
        {"\u0915\u094d\u0937", 2},         // Devanagari with a virama (a mark)
        {"a\u200bb", 2},                   // zero-width space
        {"\ud55c\uae00", 4},               // precomposed Hangul
        {"\u1100\u1161\u11a8", 2},         // the same syllable from jamo
        {"\U0001F44D", 2},                 // emoji thumbs up
        {"\u00e9", 1},
    };
    for (const Case& c : cases) EXPECT_EQ(displayWidth(QString::fromUtf8(c.text)), c.width) << c.text;
    EXPECT_EQ(padded(QString::fromUtf8("\u65e5x"), 6), QString::fromUtf8("\u65e5x   "));
    EXPECT_EQ(padded(QStringLiteral("abcdef"), 3), QStringLiteral("abcdef"));
}

TEST(TerminalText, ControlsAreWrittenOutAndOtherTextKept) {
    EXPECT_EQ(scrubbed(QStringLiteral("\x1b]0;owned\x07name")), QStringLiteral("\\x1b]0;owned\\x07name"));
    EXPECT_EQ(scrubbed(QString(QChar(0x9b)) + "31m"), QStringLiteral("\\x9b31m")) << "eight-bit CSI";
    EXPECT_EQ(scrubbed(QStringLiteral("a\nb\rc\td\x7f")), QStringLiteral("a\\x0ab\\x0dc\\x09d\\x7f"));
    EXPECT_EQ(scrubbed(QString::fromUtf8("evil\u202etxt.exe")), QStringLiteral("evil\\u202etxt.exe"));
    EXPECT_EQ(scrubbed(QString::fromUtf8("line\u2028next")), QStringLiteral("line\\u2028next"));
    EXPECT_EQ(scrubbed(QStringLiteral("C:\\x1b")), QStringLiteral("C:\\\\x1b")) << "a backslash cannot fake an escape";
    const QString plain = QString::fromUtf8("caf\u00e9 \u65e5\u672c \U0001F44D e\u0301 \u05e9\u05dc\u05d5\u05dd");
    EXPECT_EQ(scrubbed(plain), plain);
}

TEST(TerminalText, ElisionFitsTheColumnsAndKeepsWholeCharacters) {
    const QString path = QStringLiteral("/home/user/projects/some/deeply/nested/folder/app");
    struct Case {
        QString (*elide)(const QString&, int);
        const char* shown; // `path` in 20 columns
    };
    const Case cases[] = {
        {&elidedMiddle, "/home/user\u2026older/app"},
        {&elidedStart, "\u2026y/nested/folder/app"},
        {&elidedEnd, "/home/user/projects\u2026"},
    };
    // Wide characters and combining marks: never more columns than asked, no mark cut off its
    // letter, no half of a surrogate pair.
    const QString wide = QString::fromUtf8("\u65e5\u672c\u8a9ee\u0301e\u0301\U0001F44D\u65e5\u672c\u8a9e\u65e5");
    for (const Case& c : cases) {
        EXPECT_EQ(c.elide(path, 20), QString::fromUtf8(c.shown));
        EXPECT_EQ(c.elide(path, int(path.size())), path) << "what fits is left alone";
        EXPECT_EQ(c.elide(path, 0), QString());
        for (int columns = 1; columns <= displayWidth(wide); ++columns) {
            const QString s = c.elide(wide, columns);
            EXPECT_LE(displayWidth(s), columns) << c.shown << columns;
            EXPECT_GE(displayWidth(s), columns - 1) << "at most one column lost to a wide character";
            for (qsizetype i = 0; i < s.size(); ++i) {
                if (s.at(i) == QChar(0x0301)) {
                    EXPECT_EQ(s.at(i - 1), QLatin1Char('e')) << columns;
                }
                if (s.at(i).isLowSurrogate()) {
                    EXPECT_TRUE(i > 0 && s.at(i - 1).isHighSurrogate()) << columns;
                }
            }
        }
    }
}

TEST(TerminalText, ColumnsComeFromAValidSettingOnATerminalOnly) {
    for (const char* bad : {static_cast<const char*>(nullptr), "", "0", "-80", "+80", " 80", "80 ", "80x", "8e1", "65536",
                            "99999999999999999999"})
        EXPECT_FALSE(columnsSetting(bad).has_value()) << (bad ? bad : "unset");
    EXPECT_EQ(columnsSetting("1"), 1);
    EXPECT_EQ(columnsSetting("0132"), 132);
    EXPECT_EQ(columnsSetting("65535"), 65535);

    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    EXPECT_FALSE(terminalColumns(fds[1]).has_value());
    EXPECT_FALSE(outputColumns(fds[1], "100").has_value()) << "a pipe is never cut";
    ::close(fds[0]);
    ::close(fds[1]);

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_TRUE(master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0);
    const int terminal = ::open(::ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    struct winsize size {};
    size.ws_col = 93;
    ASSERT_EQ(::ioctl(master, TIOCSWINSZ, &size), 0);
    EXPECT_EQ(outputColumns(terminal, nullptr), 93);
    EXPECT_EQ(outputColumns(terminal, "100"), 100);
    EXPECT_EQ(outputColumns(terminal, "wide"), 93);
    ::close(terminal);
    ::close(master);
}

} // namespace
