#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <malloc.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "ExifFiles.h"
#include "basics/Limits.h"
#include "document/Document.h"
#include "picture/CellReader.h"

namespace glyph {
namespace {

using namespace std::chrono_literals;

TEST(MemoryBound, PicturesInFlightShareOneBoundAndOneAloneOverItIsRefused) {
    const qint64 bound = MemoryBound();
    const Result<MemoryLease> alone = ReserveMemory(bound + 1);
    ASSERT_FALSE(alone.ok());
    EXPECT_EQ(alone.error().kind, ErrorKind::kTooLarge);

    // Six pictures of 40 % each: never more than two hold their memory at once.
    std::atomic<int> holding = 0;
    std::atomic<int> most = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < 6; ++i) {
        threads.emplace_back([&] {
            const Result<MemoryLease> lease = ReserveMemory(bound * 2 / 5);
            ASSERT_TRUE(lease.ok());
            const int now = ++holding;
            for (int seen = most; seen < now && !most.compare_exchange_weak(seen, now);) {
            }
            std::this_thread::sleep_for(20ms);
            --holding;
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(most, 2);
    // Every lease was given back.
    EXPECT_TRUE(ReserveMemory(bound).ok());
}

TEST(MemoryBound, HoldersThatAskForMoreAtOnceNeverWaitOnEachOtherForEver) {
    const qint64 bound = MemoryBound();
    // Two pictures hold 40 % each, then each asks for 30 % more while the
    // other still holds its own: at most one can have it, and neither waits
    // for ever.
    std::atomic<int> holding = 0;
    std::atomic<int> granted = 0;
    std::atomic<int> refused = 0;
    std::vector<std::thread> threads;
    for (int i = 0; i < 2; ++i) {
        threads.emplace_back([&] {
            const Result<MemoryLease> first = ReserveMemory(bound * 2 / 5);
            ASSERT_TRUE(first.ok());
            ++holding;
            while (holding < 2) std::this_thread::yield();
            const Result<MemoryLease> more = ReserveMemory(bound * 3 / 10);
            ++(more.ok() ? granted : refused);
            if (!more.ok()) {
                EXPECT_EQ(more.error().kind, ErrorKind::kTooLarge);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_GE(refused, 1);
    EXPECT_EQ(granted + refused, 2);
    EXPECT_TRUE(ReserveMemory(bound).ok());
}

// An RGB TIFF of 16 bits a sample, side x side, its pixels missing.
QByteArray SixteenBitTiff(quint32 side) {
    using test::kLong;
    using test::kShort;
    test::ExifShape shape;
    constexpr quint32 kBitsAt = 122;  // just after the IFD of nine entries
    shape.entries = {
        {0x0100, kLong, 1, side}, {0x0101, kLong, 1, side}, {0x0102, kShort, 3, kBitsAt},
        {0x0103, kShort, 1, 1},   {0x0106, kShort, 1, 2},   {0x0111, kLong, 1, kBitsAt + 6},
        {0x0115, kShort, 1, 3},   {0x0116, kLong, 1, side}, {0x0117, kLong, 1, side * side * 6}};
    QByteArray tiff = test::MakeExif(shape);
    EXPECT_EQ(tiff.size(), kBitsAt);
    for (int sample = 0; sample < 3; ++sample) tiff.append("\x10\x00", 2);
    return tiff;
}

TEST(MemoryBound, AWholePictureIsCountedAtTheBytesItsDecodedFormatTakes) {
    // 17000 x 17000 takes 1.1 GB at 4 bytes a pixel but 2.3 GB at the 8 that
    // 16-bit samples decode to: over any bound, so refused before decoding.
    constexpr quint32 kSide = 17000;
    QTemporaryDir dir;
    const QString path = dir.filePath("deep.tif");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SixteenBitTiff(kSide));
    file.close();
    Framing whole;
    whole.mode = Framing::Mode::kWhole;
    const Result<Cells> cells = ReadCells(path, whole);
    ASSERT_FALSE(cells.ok());
    EXPECT_EQ(cells.error().kind, ErrorKind::kTooLarge) << cells.error().reason.toStdString();
}

// The heap in use, whether allocated in the arena or mapped on its own.
qint64 HeapInUse() {
    const struct mallinfo2 heap = mallinfo2();
    return qint64(heap.uordblks + heap.hblkhd);
}

TEST(MemoryBound, AReducedPictureReservesWhatItsDocumentReallyHolds) {
#ifdef GLYPHORAMA_SANITIZED
    GTEST_SKIP() << "AddressSanitizer's allocator keeps the heap's figures to itself";
#endif
    // Many cells, the history full: what the document keeps is measured, and
    // the bound must not have room for it beside what it reserved.
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.png");
    QImage picture(1200, 900, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x % 256, y % 256, 90));
    ASSERT_TRUE(picture.save(path));
    Framing whole;
    whole.mode = Framing::Mode::kWhole;
    whole.mostCells = QSize(1000, 1000);

    const qint64 before = HeapInUse();
    Document document(CharRamp::BuiltIn());
    ASSERT_TRUE(document.Open(path, whole).ok());
    for (const Command step : {Command::kBrighter, Command::kMoreContrast, Command::kDarker,
                               Command::kLessContrast, Command::kAutoLevel, Command::kBrighter})
        ASSERT_TRUE(document.Run(step));
    const qint64 held = HeapInUse() - before;
    ASSERT_GT(held, 0);
    // This thread holds the document's lease, so a reservation that does not
    // fit is refused at once rather than waited for.
    EXPECT_FALSE(ReserveMemory(MemoryBound() - held + 1).ok()) << held << " bytes held";
    EXPECT_TRUE(ReserveMemory(MemoryBound() - 2 * held).ok())
        << "reserved over twice the " << held << " bytes held";
}

}  // namespace
}  // namespace glyph
