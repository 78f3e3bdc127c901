// Computes the curves of a view on a thread of its own, so that the window keeps
// answering while a heavy curve is traced. A newer request cancels the one in progress;
// only the newest result is kept.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "curves.h"

namespace kelvora::graph {

class CurveWorker {
public:
    // ready is called on the worker's thread each time a result can be taken.
    explicit CurveWorker(std::function<void()> ready);
    ~CurveWorker();
    CurveWorker(const CurveWorker&) = delete;
    CurveWorker& operator=(const CurveWorker&) = delete;

    // The formulas are shared with the worker, so a rebuild cannot free them under it.
    void request(std::shared_ptr<const GraphFormulas> formulas, const ViewKey& key);
    // Forgets the pending request and cancels the running one.
    void cancel();
    // The newest finished result, once.
    std::optional<CurveSet> take();
    // The same, waiting for it at most this long.
    std::optional<CurveSet> takeWithin(std::chrono::milliseconds wait);
    // A request is waiting or running, or its result has not been taken yet.
    bool busy() const;

private:
    struct Job {
        std::shared_ptr<const GraphFormulas> formulas;
        ViewKey key;
        unsigned generation;
    };

    void run();

    std::function<void()> ready_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable finished_;
    std::optional<Job> pending_;
    std::optional<CurveSet> done_;
    bool running_ = false;
    bool stopping_ = false;
    std::atomic<unsigned> generation_{0};
    std::thread thread_;
};

}  // namespace kelvora::graph
