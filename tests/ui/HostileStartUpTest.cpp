#include <sys/stat.h>

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>

#include "WindowFixture.h"
#include "engine/Cp932.h"
#include "files/FileAccess.h"
#include "files/NativePath.h"

namespace glyph::testing {
namespace {

class HostileStartUp : public WindowTest {
  protected:
    void WriteMoji(const QByteArray& bytes) {
        QFile moji(dir.filePath(QStringLiteral("moji.txt")));
        ASSERT_TRUE(moji.open(QIODevice::WriteOnly));
        moji.write(bytes);
    }
    // One black pixel beside a white one: the built-in ramp's first and last.
    QString Text() {
        QImage picture(2, 1, QImage::Format_RGB32);
        picture.setPixel(0, 0, qRgb(0, 0, 0));
        picture.setPixel(1, 0, qRgb(255, 255, 255));
        Open(Save(picture, QStringLiteral("two.bmp")));
        return window->Text();
    }
};

TEST_F(HostileStartUp, AMojiTxtLineOfAMillionBytesGivesTheBuiltInRamp) {
    WriteMoji(EncodeCp932(QString(500'000, QChar(u'黒'))).bytes);
    CreateWindow();
    EXPECT_EQ(Text(), QStringLiteral("欟八"));
}

TEST_F(HostileStartUp, AFifoAsMojiTxtNeitherHangsNorIsRead) {
    ASSERT_EQ(mkfifo(NativePath(dir.filePath(QStringLiteral("moji.txt"))).constData(), 0644), 0);
    CreateWindow();  // a hang here never reaches the line below
    EXPECT_EQ(Text(), QStringLiteral("欟八"));
}

TEST_F(HostileStartUp, APictureThatIsAFifoIsRefusedWithTheUsualMessage) {
    const QString fifo = dir.filePath(QStringLiteral("fifo.bmp"));
    ASSERT_EQ(mkfifo(NativePath(fifo).constData(), 0644), 0);
    Open(fifo);
    ASSERT_EQ(services.messages.size(), 1u);
    EXPECT_TRUE(services.messages.front().text.startsWith(fifo));
    EXPECT_TRUE(window->Text().isEmpty());
}

// A name that is not UTF-8 (Shift-JIS from a disk shared with Windows), as a
// file manager drops it: percent-encoded bytes.
TEST_F(HostileStartUp, APictureWhoseNameIsNotUtf8OpensWhenDropped) {
    const QByteArray name = NativePath(dir.path()) + "/\x8a\xbf\x8e\x9a.bmp";
    QFile plain(Save(Filled(3, 2, qRgb(0, 0, 0)), QStringLiteral("plain.bmp")));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    ASSERT_TRUE(WriteFileAtomically(PathFromNative(name), plain.readAll()).ok());
    QMimeData data;
    data.setUrls(
        {QUrl(QStringLiteral("file://") + QString::fromLatin1(name.toPercentEncoding("/")))});
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(1, 1), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &drop);
    EXPECT_TRUE(services.messages.empty());
    EXPECT_EQ(NativePath(window->document().path()), name);
    EXPECT_EQ(window->Text(), QStringLiteral("欟欟欟\r\n欟欟欟"));
}

}  // namespace
}  // namespace glyph::testing
