// Curves computed off the calling thread: the newest request wins, a newer one cancels
// the one in progress, and the compiled formulas give the same values on two threads at
// once as on one.
#include <chrono>
#include <cmath>
#include <cstring>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "curve_worker.h"

namespace kelvora::graph {
namespace {

using namespace std::chrono_literals;

class Signal {
public:
    void raise() {
        const std::lock_guard lock(mutex_);
        ++count_;
        changed_.notify_all();
    }
    bool waitFor(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, 30s, [&] { return count_ >= count; });
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

// Bit for bit, so that NaN equals NaN.
bool Same(const std::vector<double>& a, const std::vector<double>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(double)) == 0;
}

ViewKey KeyAt(double scale, int gridSize = 100) { return ViewKey{610, 485, scale, 0, 0, gridSize}; }

TEST(CurveWorker, ComputesTheRequestedViewOffTheCallingThread) {
    Signal ready;
    CurveWorker worker([&] { ready.raise(); });
    EXPECT_FALSE(worker.busy());
    EXPECT_FALSE(worker.take().has_value());
    worker.request(std::make_shared<const GraphFormulas>(L"x^2+y^2=25;x"), KeyAt(30));
    ASSERT_TRUE(ready.waitFor(1));
    std::optional<CurveSet> set = worker.take();
    ASSERT_TRUE(set.has_value());
    EXPECT_EQ(set->key, KeyAt(30));
    EXPECT_TRUE(set->curveSlots[0].computed && set->curveSlots[1].computed);
    ASSERT_EQ(set->curveSlots[0].polylines.size(), 1u);  // the circle, closed
    EXPECT_GT(set->curveSlots[0].polylines[0].size(), 100u);
    EXPECT_FALSE(worker.take().has_value());  // once
}

// A heavy trace is cancelled by the next request: only the newest view comes back, and
// long before the heavy one could have finished.
TEST(CurveWorker, ANewerViewCancelsTheOlderComputation) {
    Signal ready;
    CurveWorker worker([&] { ready.raise(); });
    const auto heavy = std::make_shared<const GraphFormulas>(L"sin(x*y)+cos(x)=0.5;sin(x*x+y*y)=0.2");
    const auto start = std::chrono::steady_clock::now();
    worker.request(heavy, KeyAt(10, 5000));
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(worker.busy());
    worker.request(std::make_shared<const GraphFormulas>(L"x"), KeyAt(30));
    ASSERT_TRUE(ready.waitFor(1));
    const std::optional<CurveSet> set = worker.take();
    ASSERT_TRUE(set.has_value());
    EXPECT_EQ(set->key, KeyAt(30));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(worker.take().has_value());  // the heavy one never arrives
    EXPECT_FALSE(worker.busy());

    worker.request(heavy, KeyAt(10, 5000));
    worker.cancel();  // forgets it: nothing arrives, nothing is waiting
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(worker.take().has_value());
}

// The worker and the window evaluate the same compiled formulas at once: the engine's
// evaluation must keep no state of its own between calls.
TEST(CurveWorker, FormulasGiveTheSameValuesOnTwoThreadsAtOnce) {
    const GraphFunction explicitFunction(L"sin(x)*exp(x/5)+sqrt(abs(x))");
    const GraphFunction implicitFunction(ZeroForm(L"sin(x*y)+cos(x)=0.5"));
    std::vector<double> xs, ys;
    for (int i = 0; i < 400; ++i) xs.push_back(-10 + i * 0.05);
    for (int i = 0; i < 40; ++i) ys.push_back(-5 + i * 0.25);
    const std::vector<double> grid = implicitFunction.implicitAt(xs, ys);
    const std::vector<double> line = explicitFunction.explicitAt(xs);
    std::atomic<int> mismatches{0};
    const auto hammer = [&] {
        for (int round = 0; round < 50; ++round) {
            if (!Same(implicitFunction.implicitAt(xs, ys), grid)) ++mismatches;
            if (!Same(explicitFunction.explicitAt(xs), line)) ++mismatches;
            for (std::size_t i = 0; i < xs.size(); i += 7) {
                if (!Same({explicitFunction.explicitAt(xs[i])}, {line[i]})) ++mismatches;
            }
        }
    };
    std::thread other(hammer);
    hammer();
    other.join();
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace kelvora::graph
