#include "core/compiled_program.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/expression_syntax.h"

namespace abacor::compiled {

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
            case Op::Call:
            case Op::CallKeepingDigits: break;
            default: --used; break;  // the binary operators and Store
        }
        depth = std::max(depth, used);
    }
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// kCount: the number of lanes when it is known in advance (one point), else 0.
template <std::size_t kCount, Failures kFailures>
void RunLanes(const Program& program, const Lanes& lanes, Registers& registers) {
    constexpr bool kFlagged = kFailures == Failures::Flagged;
    const std::size_t n = kCount != 0 ? kCount : lanes.count;
    std::uint8_t* const failed = registers.failed;
    if constexpr (kFlagged) std::fill_n(failed, n, 0);
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
                std::fill_n(registers.Entry(depth++), n, kNaN);
                if constexpr (kFlagged) std::fill_n(failed, n, 1);
                break;
            case Op::X: std::copy_n(lanes.x, n, registers.Entry(depth++)); break;
            case Op::Y: std::fill_n(registers.Entry(depth++), n, lanes.y); break;
            case Op::LoadX: {
                const std::size_t at = instruction.index * lanes.columns.stride;
                std::copy_n(lanes.columns.values + at, n, registers.Entry(depth++));
                if constexpr (kFlagged) {
                    for (std::size_t l = 0; l < n; ++l) failed[l] |= lanes.columns.failed[at + l];
                }
                break;
            }
            case Op::LoadY: {
                const std::size_t at = instruction.index * lanes.rows.stride;
                std::fill_n(registers.Entry(depth++), n, lanes.rows.values[at]);
                if constexpr (kFlagged) {
                    if (lanes.rows.failed[at]) std::fill_n(failed, n, 1);
                }
                break;
            }
            case Op::Add: binary([](double a, double b) { return a + b; }); break;
            case Op::Subtract: binary([](double a, double b) { return a - b; }); break;
            case Op::Multiply: binary([](double a, double b) { return a * b; }); break;
            case Op::Divide: {
                --depth;
                double* a = registers.Entry(depth - 1);
                const double* b = registers.Entry(depth);
                for (std::size_t l = 0; l < n; ++l) a[l] = b[l] == 0 ? kNaN : a[l] / b[l];
                if constexpr (kFlagged) {
                    for (std::size_t l = 0; l < n; ++l) failed[l] |= b[l] == 0;
                }
                break;
            }
            case Op::Power:
                if constexpr (kFlagged) {
                    binary([](double a, double b) { return syntax::Power(a, b); });
                } else {
                    bool turned = false;
                    binary([&turned](double a, double b) {
                        const double power = syntax::Power(a, b);
                        if (!std::isnan(a) && !std::isnan(b)) return power;
                        turned |= !std::isnan(power);
                        return kNaN;
                    });
                    registers.nanTurnedNumber |= turned;
                }
                break;
            case Op::Negate: {
                double* a = registers.Entry(depth - 1);
                for (std::size_t l = 0; l < n; ++l) a[l] = -a[l];
                break;
            }
            case Op::Call:
            case Op::CallKeepingDigits: {
                double* a = registers.Entry(depth - 1);
                syntax::kFunctions[instruction.function].applyToAll(a, n);
                if constexpr (kFlagged) {
                    for (std::size_t l = 0; l < n; ++l) failed[l] |= !std::isfinite(a[l]);
                }
                if (instruction.op == Op::Call) {
                    syntax::ReadBackAll(a, n, syntax::kFunctionDigits);
                } else {
                    for (std::size_t l = 0; l < n; ++l) a[l] = std::isfinite(a[l]) ? a[l] : kNaN;
                }
                break;
            }
            case Op::Store: {
                double* value = registers.Entry(--depth);
                const std::size_t at = instruction.index * lanes.store.stride;
                if constexpr (kFlagged) {
                    for (std::size_t l = 0; l < n; ++l) {
                        if (failed[l]) value[l] = kNaN;
                    }
                    std::copy_n(failed, n, lanes.store.failed + at);
                    std::fill_n(failed, n, 0);
                }
                std::copy_n(value, n, lanes.store.values + at);
                break;
            }
        }
    }
    if constexpr (kFlagged) {
        if (depth == 1) {
            double* result = registers.Entry(0);
            for (std::size_t l = 0; l < n; ++l) {
                if (failed[l]) result[l] = kNaN;
            }
        }
    }
}

template <std::size_t kCount>
void RunIn(Failures failures, const Program& program, const Lanes& lanes, Registers& registers) {
    if (failures == Failures::Flagged) RunLanes<kCount, Failures::Flagged>(program, lanes, registers);
    else RunLanes<kCount, Failures::AsNaN>(program, lanes, registers);
}

}  // namespace

void Run(const Program& program, const Lanes& lanes, Registers& registers, Failures failures) {
    if (lanes.count == 1) RunIn<1>(failures, program, lanes, registers);
    else RunIn<0>(failures, program, lanes, registers);
}

}  // namespace abacor::compiled
