#include "core/trig_keys.h"

#include <cmath>
#include <numbers>

#include "control_ids.h"
#include "core/display.h"
#include "core/engine_state.h"
#include "core/number_format.h"
#include "core/outcome.h"
#include "core/texts.h"

namespace abacor {

namespace {

constexpr double kDegree = std::numbers::pi / 180;

// In degrees the multiples of 90° are exact: sin 180° is 0, not 1.2e-16, and tan 90° has
// no value instead of 1.6e16.
std::optional<double> DegreeValue(int buttonId, double x) {
    const double halfTurns = std::fmod(x, 180.0);
    const bool onAxis = halfTurns == 0;
    const bool upright = std::fabs(halfTurns) == 90;
    switch (buttonId) {
        case KV_SCI_SIN: return onAxis ? 0.0 : std::sin(std::fmod(x, 360.0) * kDegree);
        case KV_SCI_COS: return upright ? 0.0 : std::cos(std::fmod(x, 360.0) * kDegree);
        case KV_SCI_TAN:
            if (upright) return std::nullopt;
            return onAxis ? 0.0 : std::tan(halfTurns * kDegree);
        default: return std::nullopt;
    }
}

std::optional<double> RadianValue(int buttonId, double x) {
    switch (buttonId) {
        case KV_SCI_SIN: return std::sin(x);
        case KV_SCI_COS: return std::cos(x);
        case KV_SCI_TAN: return std::tan(x);
        default: return std::nullopt;
    }
}

std::optional<double> InverseValue(int buttonId, double x) {
    const bool inRange = x >= -1 && x <= 1;
    switch (buttonId) {
        case KV_SCI_ASIN: return inRange ? std::optional(std::asin(x)) : std::nullopt;
        case KV_SCI_ACOS: return inRange ? std::optional(std::acos(x)) : std::nullopt;
        case KV_SCI_ATAN: return std::atan(x);
        default: return std::nullopt;
    }
}

bool IsInverse(int buttonId) { return buttonId >= KV_SCI_ASIN && buttonId <= KV_SCI_ATAN; }

void ApplyTrigFunction(KvWindow* display, int buttonId) {
    const std::optional<double> value =
        TrigValue(buttonId, ReadDisplayNumber(display), !Engine().AnglesInRadians);
    ShowOnDisplay(display, value ? FormatGeneral(WithoutNegativeZero(*value)) : std::wstring(text::kError));
    if (value) Engine().LastResult = *value;
    MarkResultShown();
    RecordStatus(value ? KV_STATUS_ANSWERED : KV_STATUS_UNDEFINED);
}

}  // namespace

std::optional<double> TrigValue(int buttonId, double x, bool degrees) {
    if (IsInverse(buttonId)) {
        const std::optional<double> angle = InverseValue(buttonId, x);
        return angle && degrees ? std::optional(*angle / kDegree) : angle;
    }
    return degrees ? DegreeValue(buttonId, x) : RadianValue(buttonId, x);
}

bool IsTrigFunctionKey(int buttonId) { return buttonId >= KV_SCI_SIN && buttonId <= KV_SCI_ATAN; }

bool HandleTrigKey(KvWindow* display, int buttonId) {
    if (buttonId == KV_SCI_DEGREES || buttonId == KV_SCI_RADIANS) {
        Engine().AnglesInRadians = buttonId == KV_SCI_RADIANS;
        RecordStatus(KV_STATUS_ANSWERED);
        return true;
    }
    if (!IsTrigFunctionKey(buttonId)) return false;
    ApplyTrigFunction(display, buttonId);
    return true;
}

}  // namespace abacor
