#pragma once

#include <QtGlobal>
#include <thread>
#include <utility>

#include "basics/Result.h"

namespace glyph {

inline constexpr qint64 kMegabyte = 1024 * 1024;

// The bounds on what opening one picture may cost, for the readers that must
// decode more than the block (progressive JPEG, GIF, WebP, TIFF) and for the
// rows a PNG reader keeps. One place, so every reader refuses alike.

// Memory for decoding pictures, for the whole process: a quarter of the
// machine's memory, at most 2 GiB, and under a limit on the address space
// at most a half of what is left of it when first asked.
qint64 MemoryBound();

// libjpeg runs every scan of a progressive or multi-scan file over every block
// of the picture before the first row comes out, at some 3 to 15 ns a block
// even when the scan holds no data. The bound on blocks times scans keeps that
// work to about two seconds on a 2-core machine; a 200-megapixel photo's 10 or
// so scans stay within it.
qint64 WorkBound();

// Lowers both bounds for a process that must answer faster: the fuzzer.
void TightenBounds(qint64 memory, qint64 blockScans);

// Memory held for one picture's decoding, given back when the lease ends.
class MemoryLease {
  public:
    explicit MemoryLease(qint64 bytes, std::thread::id holder = std::this_thread::get_id())
        : bytes_(bytes), holder_(holder) {}
    MemoryLease(MemoryLease&& other) noexcept
        : bytes_(std::exchange(other.bytes_, 0)), holder_(other.holder_) {}
    MemoryLease& operator=(MemoryLease&&) = delete;
    ~MemoryLease();

  private:
    qint64 bytes_;
    std::thread::id holder_;  // the thread that took it
};

// Takes `bytes` from MemoryBound(), which is the whole process's: pictures
// decoded at the same time share it, and one that needs more than is left
// waits until others give theirs back. A picture that alone needs more than
// the bound is refused with a too-large error naming both. A thread that
// already holds a lease and asks for more while every other holder waits too
// is refused in the same way rather than waiting for ever.
Result<MemoryLease> ReserveMemory(qint64 bytes);

// Done when `blockScans` fit WorkBound(); else a too-large error.
Status CheckWork(qint64 blockScans);

// Reducing a whole picture to cells visits every decoded pixel, a few
// nanoseconds each: pixels past the bound (some 600 megapixels, a few
// seconds; it follows WorkBound) are refused as too large, so that a small
// file claiming a vast picture cannot keep the program busy for minutes.
Status CheckPixels(qint64 pixels);

}  // namespace glyph
