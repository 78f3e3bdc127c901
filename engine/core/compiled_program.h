// The machine that runs compiled formulas: a stack program, run on up to kLanes points at
// once (the columns of a grid row), one instruction across all of them before the next.
// A failed point (a zero divisor, an undefined function value) has the value NaN. That is
// all a run needs unless a power turns a NaN into a number (NaN^0, 1^NaN): only a failure
// must survive that, so such a run is repeated with a flag per point.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace abacor::compiled {

inline constexpr std::size_t kLanes = 256;

enum class Op : std::uint8_t {
    Number,        // push `number`
    FailedNumber,  // push `number` (NaN); the point has failed
    X,             // push the lane's x
    Y,             // push the y shared by all lanes
    LoadX,         // push value `index` computed once per column, with its flags
    LoadY,         // ... once per row
    Add,
    Subtract,
    Multiply,
    Divide,  // a zero divisor fails the point
    Power,
    Negate,
    Call,        // function `function` of the top value, read back as "(%.15g)"; a NaN or
                 // infinite value fails the point
    CallKeepingDigits,  // Call where the value has at most 15 digits already
    Store,       // pop into value `index` with the flags, which start again clear
};

struct Instruction {
    Op op;
    std::uint8_t function = 0;
    std::uint32_t index = 0;
    double number = 0;
};

struct Program {
    std::vector<Instruction> code;
    std::size_t depth = 0;  // stack entries it needs; set by Finish
    void Finish();
};

// How a run keeps failed points apart.
enum class Failures {
    AsNaN,    // by their NaN alone; the run reports a power that turned a NaN into a number
    Flagged,  // by a flag per point as well, exact in every case
};

// Values computed once per column or row, one array per value: value k of point p is at
// k * stride + p. A failed point's value is NaN, and its flag is set in a flagged run.
struct Hoisted {
    double* values = nullptr;
    std::uint8_t* failed = nullptr;
    std::size_t stride = 0;

    Hoisted Offset(std::size_t points) const { return {values + points, failed + points, stride}; }
};

// A few elements in place, more on the heap: one point's evaluation allocates nothing.
// Left uninitialized: every element is written before it is read.
template <class T, std::size_t kInPlace>
class SmallArray {
public:
    explicit SmallArray(std::size_t size) : heap_(size > kInPlace ? new T[size] : nullptr) {}
    T* data() { return heap_ ? heap_.get() : inPlace_.data(); }
    const T* data() const { return heap_ ? heap_.get() : inPlace_.data(); }

private:
    std::array<T, kInPlace> inPlace_;
    std::unique_ptr<T[]> heap_;
};

// Storage for `count` values of `points` points each.
class HoistedValues {
public:
    HoistedValues(std::size_t count, std::size_t points)
        : values_(count * points), failed_(count * points), points_(points) {}
    Hoisted View() { return {values_.data(), failed_.data(), points_}; }

private:
    SmallArray<double, 16> values_;
    SmallArray<std::uint8_t, 16> failed_;
    std::size_t points_;
};

// Working storage of one run over at most `lanes` lanes: a stack entry and a flag per lane.
class Registers {
public:
    Registers(std::size_t depth, std::size_t lanes) : stack_(std::max<std::size_t>(depth, 1) * lanes), lanes_(lanes) {}
    double* Entry(std::size_t depth) { return stack_.data() + depth * lanes_; }
    const double* Entry(std::size_t depth) const { return stack_.data() + depth * lanes_; }
    std::uint8_t failed[kLanes];  // a flagged run's failures
    bool nanTurnedNumber = false;  // an unflagged run met NaN^0 or 1^NaN

private:
    SmallArray<double, 32> stack_;
    std::size_t lanes_;
};

struct Lanes {
    std::size_t count = 1;  // at most the registers' lanes
    const double* x = nullptr;
    double y = 0;
    Hoisted columns = {};  // LoadX: lane l reads point l
    Hoisted rows = {};     // LoadY: every lane reads point 0
    Hoisted store = {};    // Store: lane l writes point l
};

// Leaves the result of each lane in registers.Entry(0), NaN where the point failed. An
// unflagged run whose registers.nanTurnedNumber is set may be wrong and must be repeated
// flagged, with the values it hoisted computed again.
void Run(const Program& program, const Lanes& lanes, Registers& registers, Failures failures);

}  // namespace abacor::compiled
