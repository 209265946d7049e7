// The ambiguous East Asian widths, against Unicode's own table.
#include "engine/EastAsianWidth.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <string_view>
#include <vector>

namespace glyph {
namespace {

TEST(EastAsianWidth, CharactersATerminalMayShowOneColumnWideAreAmbiguous) {
    for (const char16_t c : std::u16string_view(u"§¨°±´¶×÷ΑΩαωЁАяё─│┼╋○●◎□■△▲▽▼※→←↑↓①Ⅰ"))
        EXPECT_TRUE(IsAmbiguousWidth(c)) << int(c);
    // Kanji, kana, the full-width forms and space, ASCII, and the gaps
    // between ranges (U+03A2 inside Greek, U+254C inside box drawing).
    for (const char16_t c : std::u16string_view(u"漢字かなカナ　Ａ＝〇A~\u03A2\u254C\u2574"))
        EXPECT_FALSE(IsAmbiguousWidth(c)) << int(c);
}

TEST(EastAsianWidth, AgreesWithTheInstalledTableOverTheWholePlane) {
    QFile file(QStringLiteral("/usr/share/unicode/EastAsianWidth.txt"));
    if (!file.open(QIODevice::ReadOnly)) GTEST_SKIP() << "unicode-data is not installed";
    std::vector<bool> ambiguous(0x10000, false);
    static const QRegularExpression line(
        QStringLiteral("^([0-9A-F]+)(?:\\.\\.([0-9A-F]+))?\\s*;\\s*(\\w+)"));
    while (!file.atEnd()) {
        const QRegularExpressionMatch m = line.match(QString::fromUtf8(file.readLine()));
        if (!m.hasMatch() || m.captured(3) != QStringLiteral("A")) continue;
        const uint first = m.captured(1).toUInt(nullptr, 16);
        const uint last = m.captured(2).isEmpty() ? first : m.captured(2).toUInt(nullptr, 16);
        for (uint c = first; c <= last && c < 0x10000; ++c) ambiguous[c] = true;
    }
    int differ = 0;
    for (uint c = 0; c < 0x10000; ++c) differ += IsAmbiguousWidth(char16_t(c)) != ambiguous[c];
    EXPECT_EQ(differ, 0);
}

}  // namespace
}  // namespace glyph
