#include "workspace/Limits.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>

#include "workspace/Reasons.h"

namespace glyph {

namespace {

constexpr qint64 kMostMemory = 2048 * kMegabyte;
constexpr qint64 kShareOfMemory = 4;  // a quarter
// When the machine will not say how much it has.
constexpr qint64 kUnknownMachineMemory = 4096 * kMegabyte;
constexpr qint64 kMaxBlockScans = 125'000'000;
constexpr qint64 kPixelsPerBlockScan = 5;  // visiting a pixel costs about a fifth of a scan

qint64 MachineMemory() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return kUnknownMachineMemory;
    return qint64(pages) * pageSize;
}

qint64 RoundUpToMegabytes(qint64 bytes) { return (bytes + kMegabyte - 1) / kMegabyte; }

std::atomic<qint64>& Memory() {
    static std::atomic<qint64> bound = std::min(kMostMemory, MachineMemory() / kShareOfMemory);
    return bound;
}

std::atomic<qint64> work{kMaxBlockScans};

// What the pictures in flight hold of the memory bound.
struct Pool {
    std::mutex mutex;
    std::condition_variable returned;
    qint64 held = 0;
};

Pool& InFlight() {
    static Pool pool;
    return pool;
}

}  // namespace

qint64 MemoryBound() { return Memory(); }
qint64 WorkBound() { return work; }

void TightenBounds(qint64 memory, qint64 blockScans) {
    Memory() = std::min(Memory().load(), memory);
    work = std::min(work.load(), blockScans);
}

Result<MemoryLease> ReserveMemory(qint64 bytes) {
    const qint64 bound = MemoryBound();
    if (bytes < 0 || bytes > bound) {
        return Error{reasons::kTooLarge.arg(RoundUpToMegabytes(bytes)).arg(bound / kMegabyte),
                     true};
    }
    Pool& pool = InFlight();
    std::unique_lock lock(pool.mutex);
    pool.returned.wait(lock, [&] { return pool.held + bytes <= MemoryBound(); });
    pool.held += bytes;
    return MemoryLease(bytes);
}

MemoryLease::~MemoryLease() {
    if (bytes_ == 0) return;
    Pool& pool = InFlight();
    {
        std::lock_guard lock(pool.mutex);
        pool.held -= bytes_;
    }
    pool.returned.notify_all();
}

Status CheckWork(qint64 blockScans) {
    if (blockScans <= WorkBound()) return Done{};
    return Error{reasons::kTooMuchWork, true};
}

Status CheckPixels(qint64 pixels) {
    const qint64 bound = WorkBound() * kPixelsPerBlockScan;
    if (pixels <= bound) return Done{};
    constexpr qint64 kMegapixel = 1'000'000;
    return Error{
        reasons::kTooManyPixels.arg((pixels + kMegapixel - 1) / kMegapixel).arg(bound / kMegapixel),
        true};
}

}  // namespace glyph
