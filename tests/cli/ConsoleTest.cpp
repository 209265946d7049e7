// Messages in the locale's codeset, harmless to the terminal that shows them.
#include "cli/Console.h"

#include <gtest/gtest.h>

#include "files/NativePath.h"

namespace glyph::cli {
namespace {

TEST(EncodeForCodeset, JapaneseInEucJpAndShiftJisWhatTheyLackAsQuestionMarks) {
    const QString text = QStringLiteral("日本: a\uD55C\U0001F600");
    EXPECT_EQ(EncodeForCodeset(text, "EUC-JP"), QByteArray("\xC6\xFC\xCB\xDC: a??"));
    EXPECT_EQ(EncodeForCodeset(text, "SHIFT_JIS"), QByteArray("\x93\xFA\x96\x7B: a??"));
    // glibc's name of the C locale's codeset, and UTF-8's: the UTF-8 bytes.
    for (const char* same : {"UTF-8", "utf8", "ANSI_X3.4-1968"})
        EXPECT_EQ(EncodeForCodeset(text, same), text.toUtf8()) << same;
    // A codeset iconv does not know changes nothing either.
    EXPECT_EQ(EncodeForCodeset(text, "NO-SUCH-CODESET"), text.toUtf8());
}

TEST(EncodeForCodeset, ANamesBytesStayAsTheyCame) {
    // An EUC-JP name given in an EUC-JP locale is not UTF-8: its bytes pass,
    // also "\xCC\xBF", which alone would read as UTF-8 (U+033F).
    const QByteArray name = "/tmp/\xBC\xCC\xBF\xBF.bmp";
    const QString message = PathFromNative(name) + QStringLiteral(": 読めません");
    EXPECT_EQ(EncodeForCodeset(message, "EUC-JP"),
              name + ": " + EncodeForCodeset(QStringLiteral("読めません"), "EUC-JP"));
    EXPECT_EQ(EncodeForCodeset(message, "UTF-8"), NativePath(message));
    // A codeset with shift states is left in its first.
    EXPECT_EQ(EncodeForCodeset(QStringLiteral("日"), "ISO-2022-JP"), QByteArray("\x1b$BF|\x1b(B"));
}

TEST(QuoteControls, C0DeleteAndC1AreSpelledOut) {
    EXPECT_EQ(QuoteControls(QStringLiteral("a\x1b[2Jb\x1b]52;c;aGk=\a\n\r\t"), true),
              QStringLiteral("a\\e[2Jb\\e]52;c;aGk=\\a\\n\\r\\t"));
    EXPECT_EQ(QuoteControls(QStringLiteral("\x01\x7f\u009b\u0085x"), true),
              QStringLiteral("\\x01\\x7f\\x9b\\x85x"));
    const QString printable = QStringLiteral("写真 (1) \\ \u00A0.bmp");
    EXPECT_EQ(QuoteControls(printable, true), printable);

    // A stray byte 0x9B could be a terminal's CSI; in UTF-8 no character holds it.
    const QString stray = PathFromNative(
        "a\x9b"
        "b\xE9");
    EXPECT_EQ(NativePath(QuoteControls(stray, true)), QByteArray("a\\x9bb\xE9"));
    // In Shift-JIS it is the lead byte of a character.
    EXPECT_EQ(NativePath(QuoteControls(stray, false)), QByteArray("a\x9b"
                                                                  "b\xE9"));
}

}  // namespace
}  // namespace glyph::cli
