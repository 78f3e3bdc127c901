// The engine's one process-wide record: settings, keypad state, memory registers,
// the step report, the fraction line's operands and the number line.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "abacor.h"
#include "platform.h"

namespace abacor {

// A common fraction; a zero denominator marks a division by zero.
struct Fraction {
    std::int64_t numerator = 0;
    std::int64_t denominator = 1;
    bool operator==(const Fraction&) const = default;
};

struct NumberLineState {
    bool visible = false;
    std::vector<double> points;       // ascending
    std::vector<bool> closed;         // one per point
    std::vector<int> selection;       // +1 shaded / -1 not, one per interval
};

enum PendingOperation : int { kNoPendingOp = 0, kPendingPower = 6, kPendingRemainder = 7 };

inline constexpr int kMemoryCapacity = 10;

struct EngineState {
    int Precision = -1;  // digits after the point; -1 automatic
    int MaxDegree = 9;
    bool AnglesInRadians = false;  // of the keypad's trigonometric keys

    bool NewNumber = true;
    bool ResultShown = false;
    int PendingOp = kNoPendingOp;
    double StoredOperand = 0;
    double LastResult = 0;

    std::array<double, kMemoryCapacity> Memory{};
    int MemoryCount = 0;

    KvWindow* MainWindow = nullptr;
    void* DllInstance = nullptr;

    std::wstring StepsLog;
    bool StepsClassRegistered = false;
    KvWindow* StepsWindowHandle = nullptr;
    KvWindow* StepsEdit = nullptr;

    std::vector<Fraction> FractionValues;
    std::vector<wchar_t> FractionOps;

    NumberLineState NumberLine;

    KvStatus LastStatus = KV_STATUS_ANSWERED;
};

// The single instance, in place with its initial values before any export runs.
EngineState& Engine();

// The main window's control with this identifier; null when there is no main window
// or no such control.
KvWindow* MainWindowControl(int controlId);

}  // namespace abacor
