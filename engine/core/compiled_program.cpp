#include "core/compiled_program.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/expression_syntax.h"

namespace abacor::compiled {

namespace {

constexpr int kFunctionDigits = 15;  // function values are written with "(%.15g)"

}  // namespace

void Program::Finish() {
    std::size_t used = 0;
    depth = 0;
    for (const Instruction& instruction : code) {
        switch (instruction.op) {
            case Op::Number:
            case Op::FailedNumber:
            case Op::X:
            case Op::Y:
            case Op::LoadX:
            case Op::LoadY: ++used; break;
            case Op::Negate:
            case Op::Call: break;
            default: --used; break;  // the binary operators and Store
        }
        depth = std::max(depth, used);
    }
}

namespace {

// kCount: the number of lanes when it is known in advance (one point), else 0.
template <std::size_t kCount>
void RunLanes(const Program& program, const Lanes& lanes, Registers& registers) {
    const std::size_t n = kCount != 0 ? kCount : lanes.count;
    std::uint8_t* const failed = registers.failed;
    std::uint8_t* const undefined = registers.undefined;
    std::fill_n(failed, n, 0);
    std::fill_n(undefined, n, 0);
    std::size_t depth = 0;
    // The two top entries, for the operators.
    const auto binary = [&](auto operation) {
        --depth;
        double* a = registers.Entry(depth - 1);
        const double* b = registers.Entry(depth);
        for (std::size_t l = 0; l < n; ++l) a[l] = operation(a[l], b[l]);
    };
    for (const Instruction& instruction : program.code) {
        switch (instruction.op) {
            case Op::Number: std::fill_n(registers.Entry(depth++), n, instruction.number); break;
            case Op::FailedNumber:
                std::fill_n(registers.Entry(depth++), n, instruction.number);
                std::fill_n(failed, n, 1);
                break;
            case Op::X: std::copy_n(lanes.x, n, registers.Entry(depth++)); break;
            case Op::Y: std::fill_n(registers.Entry(depth++), n, lanes.y); break;
            case Op::LoadX: {
                const std::size_t at = instruction.index * lanes.columns.stride;
                std::copy_n(lanes.columns.values + at, n, registers.Entry(depth++));
                for (std::size_t l = 0; l < n; ++l) failed[l] |= lanes.columns.failed[at + l];
                for (std::size_t l = 0; l < n; ++l) undefined[l] |= lanes.columns.undefined[at + l];
                break;
            }
            case Op::LoadY: {
                const std::size_t at = instruction.index * lanes.rows.stride;
                std::fill_n(registers.Entry(depth++), n, lanes.rows.values[at]);
                if (lanes.rows.failed[at]) std::fill_n(failed, n, 1);
                for (std::size_t l = 0; l < n; ++l) undefined[l] |= lanes.rows.undefined[at];
                break;
            }
            case Op::Add: binary([](double a, double b) { return a + b; }); break;
            case Op::Subtract: binary([](double a, double b) { return a - b; }); break;
            case Op::Multiply: binary([](double a, double b) { return a * b; }); break;
            case Op::Divide: {
                --depth;
                double* a = registers.Entry(depth - 1);
                const double* b = registers.Entry(depth);
                for (std::size_t l = 0; l < n; ++l) {
                    if (b[l] == 0) failed[l] = 1;
                    else a[l] = a[l] / b[l];
                }
                break;
            }
            case Op::Power: binary([](double a, double b) { return std::pow(a, b); }); break;
            case Op::Negate: {
                double* a = registers.Entry(depth - 1);
                for (std::size_t l = 0; l < n; ++l) a[l] = -a[l];
                break;
            }
            case Op::Call: {
                double* a = registers.Entry(depth - 1);
                const auto function = syntax::kFunctions[instruction.function].apply;
                for (std::size_t l = 0; l < n; ++l) {
                    const double value = function(a[l]);
                    if (std::isfinite(value)) {
                        a[l] = syntax::ReadBack(value, kFunctionDigits);
                    } else {
                        a[l] = 0;
                        undefined[l] = 1;
                    }
                }
                break;
            }
            case Op::Store: {
                const double* value = registers.Entry(--depth);
                const std::size_t at = instruction.index * lanes.store.stride;
                std::copy_n(value, n, lanes.store.values + at);
                std::copy_n(failed, n, lanes.store.failed + at);
                std::copy_n(undefined, n, lanes.store.undefined + at);
                std::fill_n(failed, n, 0);
                std::fill_n(undefined, n, 0);
                break;
            }
        }
    }
}

}  // namespace

void Run(const Program& program, const Lanes& lanes, Registers& registers) {
    if (lanes.count == 1) RunLanes<1>(program, lanes, registers);
    else RunLanes<0>(program, lanes, registers);
}

}  // namespace abacor::compiled
