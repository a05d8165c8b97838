#include "discovery/Utf8.h"

#include <QHash>
#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

TEST(Utf8, StrictCheckRejectsOverlongSurrogateAndOutOfRangeForms) {
    EXPECT_TRUE(isValidUtf8("plain caf\xC3\xA9 \xF0\x9F\x8C\xB3"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));         // overlong "/"
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));     // encoded surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(isValidUtf8("\xE2\x82"));         // cut short
    EXPECT_EQ(decodeUtf8("caf\xC3\xA9"), QStringLiteral("caf\u00E9"));
    EXPECT_FALSE(decodeUtf8("caf\xE9"));
}

TEST(Utf8, KeepingBytesDecodesValidTextAsUsualAndMarksEachStrayByte) {
    EXPECT_EQ(decodeUtf8KeepingBytes("/r/caf\xC3\xA9"), QStringLiteral("/r/caf\u00E9"));
    EXPECT_EQ(decodeUtf8KeepingBytes(QByteArrayView()), QString());
    const QString odd = decodeUtf8KeepingBytes("a\xFF" "b\xE2\x82");
    ASSERT_EQ(odd.size(), 5);
    EXPECT_EQ(odd.at(0), QLatin1Char('a'));
    EXPECT_EQ(odd.at(1).unicode(), 0xDCFF);
    EXPECT_EQ(odd.at(2), QLatin1Char('b'));
    EXPECT_EQ(odd.at(3).unicode(), 0xDCE2);
    EXPECT_EQ(odd.at(4).unicode(), 0xDC82);
    // A truncated sequence followed by valid text: the valid text is decoded normally.
    EXPECT_EQ(decodeUtf8KeepingBytes("\xE2/x").mid(1), QStringLiteral("/x"));
}

TEST(Utf8, KeepingBytesNeverGivesTwoByteStringsTheSameText) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> length(0, 6);
    // Bytes chosen so that valid sequences, stray bytes and cut sequences all occur.
    const unsigned char alphabet[] = {'a', '/', 0x80, 0xBF, 0xC3, 0xA9, 0xE2, 0x82, 0xAC, 0xED, 0xA0, 0xF0, 0x9F, 0xFF};
    std::uniform_int_distribution<size_t> pick(0, sizeof(alphabet) - 1);
    std::set<std::string> seenBytes;
    QHash<QString, QByteArray> seenTexts;
    for (int i = 0; i < 20000; ++i) {
        QByteArray bytes;
        for (int n = length(random); n > 0; --n) bytes.append(char(alphabet[pick(random)]));
        if (!seenBytes.insert(bytes.toStdString()).second) continue;
        const QString text = decodeUtf8KeepingBytes(bytes);
        ASSERT_FALSE(seenTexts.contains(text)) << bytes.toHex().constData() << " and "
                                               << seenTexts.value(text).toHex().constData();
        seenTexts.insert(text, bytes);
    }
    EXPECT_GT(seenTexts.size(), 10000);
}

} // namespace
