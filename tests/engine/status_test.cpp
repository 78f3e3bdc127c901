// GetLastStatus after the keys and panels of the engine core: a face decides by it, never
// by the text shown.
#include <functional>
#include <string>

#include "control_ids.h"
#include "core/engine_state.h"
#include "engine_fixture.h"

namespace {

using abacor::Engine;

class StatusTest : public EngineTest {
protected:
    StatusTest() {
        for (int id : std::initializer_list<int>{KV_FRACTION_LINE, KV_FRACTION_WHOLE, KV_FRACTION_NUMERATOR, KV_FRACTION_DENOMINATOR,
                       KV_FRACTION_SEPARATOR, KV_QUADRATIC_A, KV_QUADRATIC_B, KV_QUADRATIC_C, KV_QUADRATIC_ROOT1,
                       KV_QUADRATIC_ROOT2}) {
            AddControl(id);
        }
        for (int id : {KV_QUADRATIC_SIGN_B, KV_QUADRATIC_SIGN_C}) {
            AddControl(id).addItem(L"+");
            Control(id).addItem(L"-");
            Control(id).setCurrentIndex(0);
        }
        AddControl(KV_MEMORY_LIST, {0, 0, 0, 0}, false);
    }

    // Types the display as if its keys had been pressed, then presses the keys.
    void Keys(const std::wstring& display, std::initializer_list<int> keys) {
        SetDisplay(display);
        Engine().NewNumber = false;
        Press(keys);
    }

    void Fractions(const std::wstring& line) {
        Control(KV_FRACTION_LINE).setText(line);
        Press(KV_FRACTION_SOLVE);
    }

    void Quadratic(const std::wstring& a, const std::wstring& b, const std::wstring& c) {
        Control(KV_QUADRATIC_A).setText(a);
        Control(KV_QUADRATIC_B).setText(b);
        Control(KV_QUADRATIC_C).setText(c);
        Press(KV_QUADRATIC_SOLVE);
    }
};

struct StatusCase {
    const char* name;
    std::function<void()> act;
    KvStatus status;
};

TEST_F(StatusTest, EachOutcomeRecordsItsStatus) {
    const StatusCase cases[] = {
        // The keypad.
        {"a digit", [this] { Keys(L"1", {KV_STD_2}); }, KV_STATUS_ANSWERED},
        {"equals with a value", [this] { Keys(L"2+2", {KV_STD_EQUALS}); }, KV_STATUS_ANSWERED},
        {"equals without a value", [this] { Keys(L"2+", {KV_STD_EQUALS}); }, KV_STATUS_UNDEFINED},
        {"equals on a division by 0", [this] { Keys(L"1/0", {KV_SCI_EQUALS}); }, KV_STATUS_UNDEFINED},
        {"an infinite power is a value", [this] { Keys(L"10", {KV_SCI_POWER, KV_STD_9, KV_STD_9,
                                                                                KV_STD_9, KV_STD_EQUALS}); },
         KV_STATUS_ANSWERED},
        {"a remainder", [this] { Keys(L"7", {KV_SCI_MOD, KV_STD_2, KV_STD_EQUALS}); }, KV_STATUS_ANSWERED},
        {"a remainder by 0", [this] { Keys(L"7", {KV_SCI_MOD, KV_STD_EQUALS}); }, KV_STATUS_UNDEFINED},
        {"a square", [this] { Keys(L"3", {KV_STD_SQUARE}); }, KV_STATUS_ANSWERED},
        {"a negative square root", [this] { Keys(L"-4", {KV_STD_SQRT}); }, KV_STATUS_UNDEFINED},
        {"the log of 0", [this] { Keys(L"0", {KV_SCI_LOG}); }, KV_STATUS_UNDEFINED},
        {"the ln of a negative", [this] { Keys(L"-1", {KV_SCI_LN}); }, KV_STATUS_UNDEFINED},
        {"1/x of 0", [this] { Keys(L"0", {KV_STD_RECIPROCAL}); }, KV_STATUS_UNDEFINED},
        {"1/x", [this] { Keys(L"4", {KV_SCI_RECIPROCAL}); }, KV_STATUS_ANSWERED},
        {"a factorial", [this] { Keys(L"5", {KV_SCI_FACTORIAL}); }, KV_STATUS_ANSWERED},
        {"171!", [this] { Keys(L"171", {KV_SCI_FACTORIAL}); }, KV_STATUS_UNDEFINED},
        {"a key after an error", [this] { Keys(L"-1", {KV_SCI_LN, KV_STD_CLEAR}); }, KV_STATUS_ANSWERED},
        {"a memory key", [this] { Keys(L"0", {KV_STD_RECIPROCAL, KV_MEMORY_STORE}); }, KV_STATUS_ANSWERED},
        // The fraction line.
        {"a fraction", [this] { Fractions(L"1/2+1/3"); }, KV_STATUS_ANSWERED},
        {"a line of blanks", [this] { Fractions(L"   "); }, KV_STATUS_ANSWERED},
        {"an empty line", [this] { Fractions(L""); }, KV_STATUS_REFUSED},
        {"a foreign character", [this] { Fractions(L"1a"); }, KV_STATUS_REFUSED},
        {"a doubled operator", [this] { Fractions(L"1+-2"); }, KV_STATUS_REFUSED},
        {"a zero divisor", [this] { Fractions(L"/0"); }, KV_STATUS_REFUSED},
        {"no value in the check", [this] { Fractions(L"1/0"); }, KV_STATUS_REFUSED},
        {"unbalanced brackets", [this] { Fractions(L"1/2)"); }, KV_STATUS_REFUSED},
        {"a fractional exponent", [this] { Fractions(L"2^1/2"); }, KV_STATUS_REFUSED},
        {"a number beyond 64 bits", [this] { Fractions(L"99999999999999999999"); }, KV_STATUS_TOO_LARGE},
        {"a result beyond 64 bits", [this] { Fractions(L"2^63"); }, KV_STATUS_TOO_LARGE},
        {"a division by 0", [this] { Fractions(L"1:0"); }, KV_STATUS_UNDEFINED},
        // The quadratic panel.
        {"two roots", [this] { Quadratic(L"1", L"3", L"2"); }, KV_STATUS_ANSWERED},
        {"no real roots", [this] { Quadratic(L"1", L"1", L"1"); }, KV_STATUS_ANSWERED},
        {"a zero coefficient a", [this] { Quadratic(L"0", L"1", L"1"); }, KV_STATUS_REFUSED},
    };
    for (const StatusCase& c : cases) {
        // A status none of these cases gives, so that a case that records nothing fails.
        Engine().LastStatus = KV_STATUS_NO_ANSWER;
        c.act();
        EXPECT_EQ(GetLastStatus(), c.status) << c.name << " (display " << headless::ToUtf8(Display()) << ")";
    }
}

// Codes no keypad key has leave the status of what handled them, or of the last key.
TEST_F(StatusTest, CodesOfNoKeyRecordNothing) {
    for (int code : std::initializer_list<int>{13, KV_STD_LAST + 1, KV_SCI_LAST + 1, KV_QUADRATIC_A, KV_MEMORY_LIST, -1}) {
        for (KvStatus before : {KV_STATUS_UNDEFINED, KV_STATUS_REFUSED}) {
            Engine().LastStatus = before;
            Press(code);
            EXPECT_EQ(GetLastStatus(), before) << "code " << code;
        }
    }
}

TEST_F(StatusTest, AnsweredBeforeAnything) { EXPECT_EQ(GetLastStatus(), KV_STATUS_ANSWERED); }

}  // namespace
