// GetLastStatus after the keys and panels of the engine core: a face decides by it, never
// by the text shown.
#include <string>
#include <vector>

#include "control_ids.h"
#include "core/engine_state.h"
#include "engine_fixture.h"

namespace {

using abacor::Engine;

class StatusTest : public EngineTest {
protected:
    StatusTest() {
        const int fields[] = {KV_FRACTION_LINE,      KV_FRACTION_WHOLE, KV_FRACTION_NUMERATOR, KV_FRACTION_DENOMINATOR,
                              KV_FRACTION_SEPARATOR, KV_QUADRATIC_A,    KV_QUADRATIC_B,        KV_QUADRATIC_C,
                              KV_QUADRATIC_ROOT1,    KV_QUADRATIC_ROOT2};
        for (int id : fields) AddControl(id);
        for (int id : {KV_QUADRATIC_SIGN_B, KV_QUADRATIC_SIGN_C}) {
            AddControl(id).addItem(L"+");
            Control(id).addItem(L"-");
            Control(id).setCurrentIndex(0);
        }
        AddControl(KV_MEMORY_LIST, {0, 0, 0, 0}, false);
    }
};

// Each case starts from a status none of them gives, so that one that records nothing fails.
constexpr KvStatus kUnset = KV_STATUS_NO_ANSWER;

TEST_F(StatusTest, KeypadKeys) {
    const struct {
        const char* name;
        std::wstring display;
        std::vector<int> keys;
        KvStatus status;
    } cases[] = {
        {"a digit", L"1", {KV_STD_2}, KV_STATUS_ANSWERED},
        {"equals with a value", L"2+2", {KV_STD_EQUALS}, KV_STATUS_ANSWERED},
        {"equals without a value", L"2+", {KV_STD_EQUALS}, KV_STATUS_UNDEFINED},
        {"equals on a division by 0", L"1/0", {KV_SCI_EQUALS}, KV_STATUS_UNDEFINED},
        {"an infinite power is too large", L"10", {KV_SCI_POWER, KV_STD_9, KV_STD_9, KV_STD_9, KV_STD_EQUALS},
         KV_STATUS_TOO_LARGE},
        {"equals on an overflow", L"1e308*10", {KV_STD_EQUALS}, KV_STATUS_TOO_LARGE},
        {"equals on a function without a value", L"sqrt(-1)+2", {KV_STD_EQUALS}, KV_STATUS_UNDEFINED},
        {"a power without a value", L"-8", {KV_SCI_POWER, KV_STD_0, KV_STD_POINT, KV_STD_5, KV_STD_EQUALS},
         KV_STATUS_UNDEFINED},
        {"a remainder", L"7", {KV_SCI_MOD, KV_STD_2, KV_STD_EQUALS}, KV_STATUS_ANSWERED},
        {"a remainder by 0", L"7", {KV_SCI_MOD, KV_STD_EQUALS}, KV_STATUS_UNDEFINED},
        {"a square", L"3", {KV_STD_SQUARE}, KV_STATUS_ANSWERED},
        {"a negative square root", L"-4", {KV_STD_SQRT}, KV_STATUS_UNDEFINED},
        {"the log of 0", L"0", {KV_SCI_LOG}, KV_STATUS_UNDEFINED},
        {"the ln of a negative", L"-1", {KV_SCI_LN}, KV_STATUS_UNDEFINED},
        {"1/x of 0", L"0", {KV_STD_RECIPROCAL}, KV_STATUS_UNDEFINED},
        {"1/x", L"4", {KV_SCI_RECIPROCAL}, KV_STATUS_ANSWERED},
        {"a factorial", L"5", {KV_SCI_FACTORIAL}, KV_STATUS_ANSWERED},
        {"171!", L"171", {KV_SCI_FACTORIAL}, KV_STATUS_UNDEFINED},
        {"a key after an error", L"-1", {KV_SCI_LN, KV_STD_CLEAR}, KV_STATUS_ANSWERED},
        {"a memory key after an error", L"0", {KV_STD_RECIPROCAL, KV_MEMORY_STORE}, KV_STATUS_ANSWERED},
    };
    for (const auto& c : cases) {
        Engine().LastStatus = kUnset;
        SetDisplay(c.display);
        Engine().NewNumber = false;
        for (int key : c.keys) Press(key);
        EXPECT_EQ(GetLastStatus(), c.status) << c.name << " (display " << headless::ToUtf8(Display()) << ")";
    }
}

TEST_F(StatusTest, FractionLine) {
    const struct {
        const wchar_t* line;
        KvStatus status;
    } cases[] = {
        {L"1/2+1/3", KV_STATUS_ANSWERED},
        {L"   ", KV_STATUS_ANSWERED},
        // Every message of the check.
        {L"", KV_STATUS_REFUSED},
        {L"1a", KV_STATUS_REFUSED},
        {L"1+*2", KV_STATUS_REFUSED},
        {L"/0", KV_STATUS_REFUSED},
        {L"1/0", KV_STATUS_REFUSED},
        {L"1/2)", KV_STATUS_REFUSED},
        // No exact value: the check's message, and its status.
        {L"2^1/2", KV_STATUS_REFUSED},
        {L"99999999999999999999", KV_STATUS_TOO_LARGE},
        {L"2^63", KV_STATUS_TOO_LARGE},
        {L"1:0", KV_STATUS_UNDEFINED},
        {L"1/0:1-1/0:1", KV_STATUS_UNDEFINED},
    };
    for (const auto& c : cases) {
        Engine().LastStatus = kUnset;
        Control(KV_FRACTION_LINE).setText(c.line);
        Press(KV_FRACTION_SOLVE);
        EXPECT_EQ(GetLastStatus(), c.status) << headless::ToUtf8(c.line);
    }
}

TEST_F(StatusTest, QuadraticPanel) {
    const struct {
        const wchar_t *a, *b, *c;
        KvStatus status;
    } cases[] = {
        {L"1", L"3", L"2", KV_STATUS_ANSWERED},
        {L"1", L"2", L"1", KV_STATUS_ANSWERED},
        {L"1", L"1", L"1", KV_STATUS_ANSWERED},  // no real roots is an answer
        {L"0", L"1", L"1", KV_STATUS_REFUSED},
        {L"", L"1", L"1", KV_STATUS_REFUSED},
    };
    for (const auto& c : cases) {
        Engine().LastStatus = kUnset;
        Control(KV_QUADRATIC_A).setText(c.a);
        Control(KV_QUADRATIC_B).setText(c.b);
        Control(KV_QUADRATIC_C).setText(c.c);
        Press(KV_QUADRATIC_SOLVE);
        EXPECT_EQ(GetLastStatus(), c.status) << headless::ToUtf8(c.a) << " " << headless::ToUtf8(c.b) << " "
                                             << headless::ToUtf8(c.c);
    }
}

// Codes of no key, and controls that are no keys, leave the last status as it was.
TEST_F(StatusTest, CodesOfNoKeyRecordNothing) {
    constexpr int kBetweenStandardKeys = 13;
    // The program's own trigonometric row keys ("2nd", the angle switch) are no engine keys.
    const int codes[] = {kBetweenStandardKeys, KV_STD_LAST + 1, KV_SCI_TRIG_LAST + 1, KV_SCI_SECOND,
                         KV_SCI_ANGLE_SWITCH, KV_QUADRATIC_A, KV_MEMORY_LIST, -1};
    for (int code : codes) {
        for (KvStatus before : {KV_STATUS_UNDEFINED, KV_STATUS_REFUSED}) {
            Engine().LastStatus = before;
            Press(code);
            EXPECT_EQ(GetLastStatus(), before) << "code " << code;
        }
    }
}

TEST_F(StatusTest, AnsweredBeforeAnything) { EXPECT_EQ(GetLastStatus(), KV_STATUS_ANSWERED); }

}  // namespace
