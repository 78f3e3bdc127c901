// Lets a long computation notice that a newer view has made its result useless.
#pragma once

#include <atomic>

namespace kelvora::graph {

class Cancellation {
public:
    Cancellation() = default;
    // Cancelled as soon as `current` moves away from `mine`.
    Cancellation(const std::atomic<unsigned>& current, unsigned mine) : current_(&current), mine_(mine) {}

    bool cancelled() const { return current_ && current_->load(std::memory_order_relaxed) != mine_; }

private:
    const std::atomic<unsigned>* current_ = nullptr;
    unsigned mine_ = 0;
};

}  // namespace kelvora::graph
