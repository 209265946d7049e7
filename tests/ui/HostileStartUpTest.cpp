#include <sys/stat.h>

#include <QFile>

#include "WindowFixture.h"
#include "engine/Cp932.h"
#include "workspace/NativePath.h"

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

}  // namespace
}  // namespace glyph::testing
