#include "cli/TerminalText.h"

#include <gtest/gtest.h>

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

TEST(TerminalText, MiddleElisionFitsTheColumnsAndKeepsWholeCharacters) {
    const QString path = QStringLiteral("/home/user/projects/some/deeply/nested/folder/app");
    const QString shown = elidedMiddle(path, 20);
    EXPECT_EQ(displayWidth(shown), 20);
    EXPECT_TRUE(shown.startsWith(QStringLiteral("/home/user"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("der/app"))) << shown.toStdString();
    EXPECT_EQ(shown.count(QChar(0x2026)), 1);
    EXPECT_EQ(elidedMiddle(path, int(path.size())), path) << "what fits is left alone";

    // Wide characters and combining marks: never more columns than asked, no mark cut off its
    // letter, no half of a surrogate pair.
    const QString wide = QString::fromUtf8("\u65e5\u672c\u8a9ee\u0301e\u0301\U0001F44D\u65e5\u672c\u8a9e\u65e5");
    for (int columns = 1; columns <= displayWidth(wide); ++columns) {
        const QString s = elidedMiddle(wide, columns);
        EXPECT_LE(displayWidth(s), columns) << columns;
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

TEST(TerminalText, APipeHasNoColumns) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    EXPECT_FALSE(terminalColumns(fds[1]).has_value());
    ::close(fds[0]);
    ::close(fds[1]);
}

} // namespace
