#include "basics/Limits.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <limits>
#include <map>
#include <mutex>

#include "basics/Reasons.h"

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

// Under a limit on the address space (ulimit -v), a half of what is left of
// it: threads' stacks, the allocator's arenas and the libraries' own buffers
// take address space that no lease counts, and a picture that fits the bound
// must not then fail to be allocated.
constexpr qint64 kShareOfAddressSpaceLeft = 2;

qint64 AddressSpaceLeft() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return std::numeric_limits<qint64>::max();
    long long mappedPages = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%lld", &mappedPages) != 1) mappedPages = 0;
        std::fclose(statm);
    }
    const qint64 mapped = qint64(mappedPages) * sysconf(_SC_PAGESIZE);
    return std::max<qint64>(qint64(limit.rlim_cur) - mapped, 0) / kShareOfAddressSpaceLeft;
}

qint64 RoundUpToMegabytes(qint64 bytes) { return (bytes + kMegabyte - 1) / kMegabyte; }

std::atomic<qint64>& Memory() {
    static std::atomic<qint64> bound =
        std::min({kMostMemory, MachineMemory() / kShareOfMemory, AddressSpaceLeft()});
    return bound;
}

std::atomic<qint64> work{kMaxBlockScans};

// What the pictures in flight hold of the memory bound. A thread asking for
// more while it holds some is counted, so that holders never all wait on one
// another.
struct Pool {
    std::mutex mutex;
    std::condition_variable returned;
    qint64 held = 0;
    std::map<std::thread::id, qint64> byThread;
    int waitingHolders = 0;
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
        return Error{ErrorKind::kTooLarge,
                     reasons::kTooLarge.arg(RoundUpToMegabytes(bytes)).arg(bound / kMegabyte)};
    }
    const std::thread::id me = std::this_thread::get_id();
    if (bytes == 0) return MemoryLease(0, me);
    Pool& pool = InFlight();
    std::unique_lock lock(pool.mutex);
    const auto mine = pool.byThread.find(me);
    const bool holds = mine != pool.byThread.end();
    while (pool.held + bytes > MemoryBound()) {
        // Every other holder waits as well: nothing would ever come back.
        if (holds && pool.waitingHolders + 1 >= int(pool.byThread.size())) {
            const qint64 left = MemoryBound() - (pool.held - mine->second);
            return Error{ErrorKind::kTooLarge,
                         reasons::kTooLarge.arg(RoundUpToMegabytes(bytes + mine->second))
                             .arg(std::max<qint64>(left, 0) / kMegabyte)};
        }
        if (holds) ++pool.waitingHolders;
        pool.returned.wait(lock);
        if (holds) --pool.waitingHolders;
    }
    pool.held += bytes;
    pool.byThread[me] += bytes;
    return MemoryLease(bytes, me);
}

MemoryLease::~MemoryLease() {
    if (bytes_ == 0) return;
    Pool& pool = InFlight();
    {
        std::lock_guard lock(pool.mutex);
        pool.held -= bytes_;
        const auto holder = pool.byThread.find(holder_);
        if (holder != pool.byThread.end() && (holder->second -= bytes_) <= 0)
            pool.byThread.erase(holder);
    }
    pool.returned.notify_all();
}

Status CheckWork(qint64 blockScans) {
    if (blockScans <= WorkBound()) return Done{};
    return Error{ErrorKind::kTooLarge, reasons::kTooMuchWork};
}

Status CheckPixels(qint64 pixels) {
    const qint64 bound = WorkBound() * kPixelsPerBlockScan;
    if (pixels <= bound) return Done{};
    constexpr qint64 kMegapixel = 1'000'000;
    return Error{ErrorKind::kTooLarge,
                 reasons::kTooManyPixels.arg((pixels + kMegapixel - 1) / kMegapixel)
                     .arg(bound / kMegapixel)};
}

}  // namespace glyph
