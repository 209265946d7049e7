#include "cli/Batch.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

namespace glyph::cli {

namespace {

// Results done but not yet received, and the next index a worker may take.
// Workers stay at most `window` indexes ahead of the receiver.
class Queue {
  public:
    Queue(int count, int window) : count_(count), window_(window) {}

    // The next index to convert, or nothing when all are taken.
    std::optional<int> Take() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return next_ >= count_ || next_ < received_ + window_; });
        if (next_ >= count_) return std::nullopt;
        return next_++;
    }

    void Put(int index, Result<QByteArray> result) {
        std::lock_guard lock(mutex_);
        done_.emplace(index, std::move(result));
        changed_.notify_all();
    }

    // Waits for the result of index, the lowest not yet received.
    Result<QByteArray> Receive(int index) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_.count(index) != 0; });
        auto node = done_.extract(index);
        received_ = index + 1;
        changed_.notify_all();
        return std::move(node.mapped());
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<int, Result<QByteArray>> done_;
    const int count_;
    const int window_;
    int next_ = 0;
    int received_ = 0;
};

}  // namespace

void ConvertInOrder(int count, int jobs, const Converter& convert, const Receiver& receive) {
    const int workers = std::clamp(jobs, 1, std::max(count, 1));
    Queue queue(count, 4 * workers);
    std::vector<std::jthread> threads;
    threads.reserve(std::size_t(workers));
    for (int i = 0; i < workers; ++i) {
        // Under a process limit the system may refuse a thread: fewer then.
        try {
            threads.emplace_back([&] {
                while (const std::optional<int> index = queue.Take())
                    queue.Put(*index, convert(*index));
            });
        } catch (const std::system_error&) {
            break;
        }
    }
    if (threads.empty()) {
        for (int index = 0; index < count; ++index) receive(index, convert(index));
        return;
    }
    for (int index = 0; index < count; ++index) receive(index, queue.Receive(index));
}

}  // namespace glyph::cli
