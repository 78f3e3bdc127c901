#include "curve_worker.h"

namespace kelvora::graph {

CurveWorker::CurveWorker(std::function<void()> ready) : ready_(std::move(ready)), thread_([this] { run(); }) {}

CurveWorker::~CurveWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        pending_.reset();
        ++generation_;
    }
    wake_.notify_one();
    thread_.join();
}

void CurveWorker::request(std::shared_ptr<const GraphFormulas> formulas, const ViewKey& key) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = Job{std::move(formulas), key, ++generation_};
    }
    wake_.notify_one();
}

void CurveWorker::cancel() {
    const std::lock_guard lock(mutex_);
    pending_.reset();
    done_.reset();
    ++generation_;
}

std::optional<CurveSet> CurveWorker::take() {
    const std::lock_guard lock(mutex_);
    std::optional<CurveSet> result = std::move(done_);
    done_.reset();
    return result;
}

std::optional<CurveSet> CurveWorker::takeWithin(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    finished_.wait_for(lock, wait, [this] { return done_.has_value(); });
    std::optional<CurveSet> result = std::move(done_);
    done_.reset();
    return result;
}

bool CurveWorker::busy() const {
    const std::lock_guard lock(mutex_);
    return pending_.has_value() || running_ || done_.has_value();
}

void CurveWorker::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || pending_.has_value(); });
        if (stopping_) return;
        Job job = std::move(*pending_);
        pending_.reset();
        running_ = true;
        lock.unlock();
        CurveSet set = ComputeCurves(*job.formulas, job.key, Cancellation(generation_, job.generation));
        job.formulas.reset();
        lock.lock();
        running_ = false;
        if (generation_ != job.generation) continue;  // a newer view wants other curves
        done_ = std::move(set);
        finished_.notify_all();
        lock.unlock();
        ready_();
        lock.lock();
    }
}

}  // namespace kelvora::graph
