#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "files/FileAccess.h"
#include "files/NativePath.h"

namespace glyph {
namespace {

TEST(NativePath, EveryByteStringComesBackAsItWent) {
    const QList<QByteArray> names = {
        "plain.txt",
        "\xe6\xbc\xa2\xe5\xad\x97.bmp",            // 漢字 in UTF-8
        "\x8a\xbf\x8e\x9a.bmp",                    // 漢字 in Shift-JIS
        "\xf0\x9f\x98\x80/\xff\xfe\x80",           // a four-byte character, stray bytes
        "\xe6\xbc",                                // cut inside a character
        "\xc0\xaf \xed\xa0\x80 \xf4\x90\x80\x80",  // overlong, surrogate, beyond U+10FFFF
    };
    for (const QByteArray& bytes : names) {
        EXPECT_EQ(NativePath(PathFromNative(bytes)), bytes) << bytes.toHex().constData();
    }
    // UTF-8 names are the same strings as Qt makes of them.
    EXPECT_EQ(PathFromNative(names[1]), QStringLiteral("漢字.bmp"));
    EXPECT_EQ(PathFromNative(names[3]), QString::fromUtf8("\xf0\x9f\x98\x80/") + QChar(0xDCFF) +
                                            QChar(0xDCFE) + QChar(0xDC80));
}

TEST(NativePath, ArgumentsAndFileUrlsKeepTheirBytes) {
    const char* argv[] = {"prog", "\x8a\xbf.bmp", "-o", "\xe6\xbc\xa2"};
    const QStringList arguments = ArgumentsFromArgv(4, argv);
    ASSERT_EQ(arguments.size(), 4);
    EXPECT_EQ(NativePath(arguments[1]), QByteArray("\x8a\xbf.bmp"));
    EXPECT_EQ(arguments[3], QStringLiteral("漢"));

    EXPECT_EQ(NativePath(PathOfLocalUrl(QUrl(QStringLiteral("file:///tmp/%8A%BF%20a.bmp")))),
              QByteArray("/tmp/\x8a\xbf a.bmp"));
    EXPECT_EQ(PathOfLocalUrl(QUrl(QStringLiteral("file:///tmp/%E6%BC%A2.bmp"))),
              QStringLiteral("/tmp/漢.bmp"));
    EXPECT_TRUE(PathOfLocalUrl(QUrl(QStringLiteral("https://example.org/a.bmp"))).isEmpty());
}

TEST(RecoverLossyPath, FindsTheOneFileWhoseNameWasShownWithReplacementCharacters) {
    QTemporaryDir dir;
    const QByteArray folder = NativePath(dir.path());
    const QByteArray sub = folder + "/\x83\x74";  // a folder of a Shift-JIS name
    ASSERT_TRUE(MakeFolders(PathFromNative(sub)).ok());
    ASSERT_TRUE(WriteFileAtomically(PathFromNative(sub + "/\x8a\xbf.bmp"), "x").ok());

    // What Qt's file dialog hands back for it.
    const QString lossy = QString::fromUtf8(sub + "/\x8a\xbf.bmp");
    ASSERT_TRUE(lossy.contains(QChar(0xFFFD)));
    EXPECT_EQ(NativePath(RecoverLossyPath(lossy)), sub + "/\x8a\xbf.bmp");

    // Two names that read alike: neither is guessed.
    ASSERT_TRUE(WriteFileAtomically(PathFromNative(sub + "/\x8a\xc0.bmp"), "y").ok());
    EXPECT_EQ(RecoverLossyPath(lossy), lossy);
    // A path that exists or holds no replacement character is left alone.
    EXPECT_EQ(RecoverLossyPath(dir.path()), dir.path());
}

}  // namespace
}  // namespace glyph
