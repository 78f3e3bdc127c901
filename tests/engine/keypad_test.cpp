#include <random>
#include <string>
#include <vector>

#include "control_ids.h"
#include "core/engine_state.h"
#include "engine_fixture.h"

namespace {

using abacor::Engine;

// Short names for the keys these tables press most.
enum Key {
    kClear = KV_STD_CLEAR, kPlus = KV_STD_PLUS, kMinus = KV_STD_MINUS, kEquals = KV_STD_EQUALS,
    kTimes = KV_STD_TIMES, kDivide = KV_STD_DIVIDE, kSquare = KV_STD_SQUARE, kSqrt = KV_STD_SQRT,
    kReciprocal = KV_STD_RECIPROCAL, kPercent = KV_STD_PERCENT, kClearEntry = KV_STD_CLEAR_ENTRY,
    kSign = KV_STD_SIGN, kZero = KV_STD_0, kPoint = KV_STD_POINT, kBackspace = KV_STD_BACKSPACE,
    kPi = KV_SCI_PI, kE = KV_SCI_E, kAbs = KV_SCI_ABS, kExp = KV_SCI_EXP, kRemainder = KV_SCI_MOD,
    kOpen = KV_SCI_OPEN, kClose = KV_SCI_CLOSE, kFactorial = KV_SCI_FACTORIAL, kPower = KV_SCI_POWER,
    kPowerOfTen = KV_SCI_POW10, kLog = KV_SCI_LOG, kLn = KV_SCI_LN,
    kNoKey = 13,  // between the standard keys, no key's code
};

struct Step {
    int key;
    std::wstring display;  // after the key
};

struct Sequence {
    const char* name;
    std::wstring start;  // typed before the steps (as digits and operators would leave it)
    std::vector<Step> steps;
};

class KeypadTest : public EngineTest {
protected:
    // Puts a typed text on the display, as if its keys had just been pressed.
    void Typed(const std::wstring& text) {
        SetDisplay(text);
        Engine().NewNumber = false;
        Engine().ResultShown = false;
    }

    void Run(const Sequence& sequence) {
        Engine() = abacor::EngineState{};
        InitFractions(&main_);
        SetDisplay(L"0");
        if (!sequence.start.empty()) Typed(sequence.start);
        for (std::size_t i = 0; i < sequence.steps.size(); ++i) {
            Press(sequence.steps[i].key);
            EXPECT_EQ(Display(), sequence.steps[i].display) << sequence.name << ", step " << i + 1;
        }
    }
};

TEST_F(KeypadTest, EntryAndEquals) {
    const Sequence sequences[] = {
        {"sum", L"", {{KV_STD_1, L"1"}, {KV_STD_2, L"12"}, {kPlus, L"12+"}, {KV_STD_3, L"12+3"}, {kEquals, L"15"},
                     {KV_STD_4, L"4"}}},
        {"operator after result", L"", {{KV_STD_5, L"5"}, {kEquals, L"5"}, {kPlus, L"5+"}}},
        {"zero on zero", L"", {{kZero, L"0"}, {kPoint, L"0."}, {kZero, L"0.0"}}},
        {"closing bracket on zero", L"", {{kClose, L"0"}}},
        {"point after operator", L"2+3", {{kPoint, L"2+3."}, {kPoint, L"2+3."}}},
        {"point twice", L"2.5", {{kPoint, L"2.5"}}},
        {"point after open operator", L"2×", {{kPoint, L"2×0."}}},
        {"point after a result", L"", {{KV_STD_4, L"4"}, {kEquals, L"4"}, {kPoint, L"4."}}},
        {"scientific digits", L"", {{KV_SCI_1, L"1"}, {KV_SCI_2, L"12"}, {KV_SCI_9, L"129"}, {KV_SCI_0, L"1290"},
                                    {KV_SCI_POINT, L"1290."}}},
        {"brackets", L"", {{kOpen, L"("}, {KV_STD_2, L"(2"}, {kPlus, L"(2+"}, {KV_STD_1, L"(2+1"}, {kClose, L"(2+1)"},
                           {kTimes, L"(2+1)×"}, {KV_STD_4, L"(2+1)×4"}, {kEquals, L"12"}}},
        {"divide symbol", L"6", {{kDivide, L"6÷"}, {KV_STD_4, L"6÷4"}, {kEquals, L"1.5"}}},
        {"not evaluable", L"2+", {{kEquals, L"Ошибка"}, {KV_STD_7, L"7"}}},
        {"pi replaces a number", L"12", {{kPi, L"3.1415926535"}}},
        {"pi appends after operator", L"12+", {{kPi, L"12+3.1415926535"}}},
        {"e appends and ends entry", L"12+", {{kE, L"12+2.7182818284"}, {KV_STD_5, L"5"}}},
        {"backspace to zero", L"7", {{kBackspace, L"0"}, {KV_STD_3, L"3"}}},
        {"backspace", L"123", {{kBackspace, L"12"}}},
        {"clear", L"12+3", {{kClear, L"0"}, {KV_STD_5, L"5"}}},
        {"clear entry", L"12+3", {{kClearEntry, L"0"}, {KV_STD_5, L"5"}}},
    };
    for (const Sequence& s : sequences) Run(s);
}

// "=" never shows nan or inf: it names why there is no value.
TEST_F(KeypadTest, EqualsNamesWhyThereIsNoValue) {
    const Sequence sequences[] = {
        {"division by 0", L"7÷0", {{kEquals, L"Деление на 0"}, {KV_STD_5, L"5"}}},
        {"division by a zero sum", L"1+2÷(3-3)", {{kEquals, L"Деление на 0"}}},
        {"overflow", L"1e308×10", {{kEquals, L"Слишком большое число"}, {KV_STD_2, L"2"}}},
        {"negative overflow", L"-1e308×10", {{kEquals, L"Слишком большое число"}}},
        {"root of a negative", L"sqrt(-1)+2", {{kEquals, L"Ошибка"}}},
        {"root of a negative times 2", L"2sqrt(-1)", {{kEquals, L"Ошибка"}}},
        {"log of 0", L"ln(0)+1", {{kEquals, L"Ошибка"}}},
        {"infinity minus infinity", L"1e308×10-1e308×10", {{kEquals, L"Ошибка"}}},
        {"unreadable", L"2 3", {{kEquals, L"Ошибка"}}},
        {"remainder by 0", L"7", {{kRemainder, L"0"}, {kEquals, L"Деление на 0"}}},
        {"power overflow", L"10", {{kPower, L"0"}, {KV_STD_9, L"9"}, {KV_STD_9, L"99"}, {KV_STD_9, L"999"},
                                   {kEquals, L"Слишком большое число"}}},
        {"power of a negative to a fraction", L"-8",
         {{kPower, L"0"}, {kZero, L"0"}, {kPoint, L"0."}, {KV_STD_5, L"0.5"}, {kEquals, L"Ошибка"}}},
        {"a value still shows", L"2+2", {{kEquals, L"4"}}},
    };
    for (const Sequence& s : sequences) Run(s);
}

TEST_F(KeypadTest, PowerRemainderAndPercent) {
    const Sequence sequences[] = {
        {"power", L"2", {{kPower, L"0"}, {KV_STD_1, L"1"}, {kZero, L"10"}, {kEquals, L"1024"}}},
        {"remainder", L"7.5", {{kRemainder, L"0"}, {KV_STD_2, L"2"}, {kEquals, L"1.5"}}},
        {"power survives clear", L"3", {{kPower, L"0"}, {kClear, L"0"}, {KV_STD_2, L"2"}, {kEquals, L"9"}}},
        {"percent", L"50", {{kPercent, L"0.5"}}},
        {"percent while a power waits", L"2", {{kPower, L"0"}, {KV_STD_5, L"5"}, {kPercent, L"0"}}},
        {"power inside an expression", L"1+2", {{kPower, L"1+2^"}, {KV_STD_3, L"1+2^3"}, {kEquals, L"9"}}},
        {"power of a bracketed group", L"(1+1)", {{kPower, L"(1+1)^"}, {KV_STD_3, L"(1+1)^3"}, {kEquals, L"8"}}},
        {"power after a result", L"2+2", {{kEquals, L"4"}, {kPower, L"0"}, {KV_STD_2, L"2"}, {kEquals, L"16"}}},
        {"huge power", L"10",
         {{kPower, L"0"}, {KV_STD_3, L"3"}, {kZero, L"30"}, {kZero, L"300"}, {kEquals, L"1e+300"}}},
    };
    for (const Sequence& s : sequences) Run(s);
}

TEST_F(KeypadTest, FunctionKeys) {
    const Sequence sequences[] = {
        {"factorial 5", L"5", {{kFactorial, L"120"}}},
        {"factorial 0", L"0", {{kFactorial, L"1"}}},
        {"factorial 1", L"1", {{kFactorial, L"1"}}},
        {"factorial truncates", L"3.9", {{kFactorial, L"6"}}},
        {"factorial negative", L"-1", {{kFactorial, L"Ошибка"}}},
        {"factorial 20 exact", L"20", {{kFactorial, L"2432902008176640000"}}},
        {"factorial 21 as double", L"21", {{kFactorial, L"5.109094217e+19"}}},
        {"factorial 170", L"170", {{kFactorial, L"7.257415615e+306"}}},
        {"factorial 171", L"171", {{kFactorial, L"Ошибка"}}},
        {"factorial huge", L"1e10", {{kFactorial, L"Ошибка"}}},
        {"reciprocal", L"4", {{kReciprocal, L"0.25"}}},
        {"reciprocal small", L"0.01", {{KV_STD_RECIPROCAL, L"100"}}},
        {"reciprocal of zero", L"0", {{KV_SCI_RECIPROCAL, L"Деление на 0"}}},
        {"square", L"1.5", {{kSquare, L"2.25"}}},
        {"square root", L"16", {{kSqrt, L"4"}}},
        {"square root negative", L"-4", {{KV_SCI_SQRT, L"Ошибка"}}},
        {"absolute", L"-2.5", {{kAbs, L"2.5"}}},
        {"exp", L"1", {{kExp, L"2.7182818285"}}},
        {"ten to the power", L"3", {{kPowerOfTen, L"1000"}}},
        {"log", L"1000", {{kLog, L"3"}}},
        {"log of zero", L"0", {{kLog, L"Ошибка"}}},
        {"ln", L"1", {{kLn, L"0"}}},
        {"ln negative", L"-1", {{kLn, L"Ошибка"}}},
        {"sign change", L"5", {{kSign, L"-5"}, {KV_SCI_SIGN, L"5"}}},
        {"sign change of zero", L"0", {{kSign, L"-0"}}},
        {"sign change acts on the last number", L"2+3", {{kSign, L"2+(-3)"}}},
        {"error text reads as 0", L"", {{kLn, L"Ошибка"}, {kSquare, L"0"}}},
    };
    for (const Sequence& s : sequences) Run(s);
}

// A one-number key inside an expression replaces the last operand by its value and keeps
// the rest; the entry goes on from there.
TEST_F(KeypadTest, OneNumberKeysActOnTheLastOperand) {
    const Sequence sequences[] = {
        {"square", L"2+3", {{kSquare, L"2+9"}, {kEquals, L"11"}}},
        {"square root", L"9+16", {{kSqrt, L"9+4"}, {kEquals, L"13"}}},
        {"reciprocal", L"1+4", {{kReciprocal, L"1+0.25"}}},
        {"percent of what is added", L"200+10", {{kPercent, L"200+20"}, {kEquals, L"220"}}},
        {"percent of what is taken away", L"50+150-10", {{kPercent, L"50+150-20"}}},
        {"percent after times", L"50×10", {{kPercent, L"50×0.1"}}},
        {"factorial", L"1+5", {{kFactorial, L"1+120"}}},
        {"sign change wraps a negative", L"2×3", {{kSign, L"2×(-3)"}, {kSign, L"2×3"}}},
        {"sign change of a signed number", L"2×-3", {{kSign, L"2×3"}}},
        {"subtraction stays", L"7-3", {{kSquare, L"7-9"}}},
        {"ten to the x", L"1+2", {{kPowerOfTen, L"1+100"}}},
        {"log", L"5×100", {{kLog, L"5×2"}}},
        {"ln", L"3-1", {{kLn, L"3-0"}}},
        {"abs of a bracketed negative", L"4+(-2)", {{kAbs, L"4+2"}}},
        {"exp", L"1+0", {{kExp, L"1+1"}}},
        {"bracketed group", L"5×(1+2)", {{kSquare, L"5×9"}}},
        {"function call", L"1+sqrt(16)", {{kSquare, L"1+16"}}},
        {"group as the whole display", L"(1+2)", {{kSquare, L"9"}, {KV_STD_4, L"4"}}},
        {"exponent form", L"1+1e+20", {{kSign, L"1+(-1e+20)"}}},
        {"decimal comma", L"1+2,5", {{kSquare, L"1+6.25"}}},
        {"digits continue the entry", L"2+3", {{kSquare, L"2+9"}, {KV_STD_1, L"2+91"}}},
        {"root of a negative", L"1+(-4)", {{kSqrt, L"Ошибка"}, {KV_STD_2, L"2"}}},
        {"reciprocal of zero", L"3+0", {{kReciprocal, L"Деление на 0"}}},
        {"group without a value", L"2+(1÷0)", {{kSquare, L"Деление на 0"}}},
        {"after an operator the whole display counts", L"2+", {{kSquare, L"4"}}},
        {"unpaired bracket", L"2+3)", {{kSquare, L"4"}}},
    };
    for (const Sequence& s : sequences) Run(s);
}

TEST_F(KeypadTest, OneNumberKeysInAnExpressionRecordTheirValue) {
    const struct {
        int key;
        std::wstring display;
        double lastResult;
    } cases[] = {{kSquare, L"1+3", 9}, {kSqrt, L"1+9", 3}, {kReciprocal, L"1+4", -1}, {kFactorial, L"1+3", -1}};
    for (const auto& c : cases) {
        Engine().LastResult = -1;
        SetDisplay(c.display);
        Press(c.key);
        EXPECT_EQ(GetResult(), c.lastResult) << "key " << c.key;
    }
}

TEST_F(KeypadTest, AnExpressionThatWouldOutgrowTheDisplayStays) {
    const std::wstring full = std::wstring(252, L'1') + L"+4";  // "+0.25" would not fit
    SetDisplay(full);
    Press(kReciprocal);
    EXPECT_EQ(Display(), full);
}

struct PasteCase {
    const char* name;
    std::wstring display;
    bool resultShown;
    std::pair<int, int> selection;
    std::wstring pasted;
    std::wstring after;
    KvStatus status;
};

TEST_F(KeypadTest, PasteReplacesZeroOrResultAndAppendsOtherwise) {
    const PasteCase cases[] = {
        {"onto a lone zero", L"0", false, {0, 0}, L"(1+2)*3", L"(1+2)*3", KV_STATUS_ANSWERED},
        {"onto a result", L"15", true, {0, 0}, L"7", L"7", KV_STATUS_ANSWERED},
        {"onto an entry", L"12+", false, {0, 0}, L"3", L"12+3", KV_STATUS_ANSWERED},
        {"over a selection", L"12+34", false, {3, 5}, L"5", L"12+5", KV_STATUS_ANSWERED},
        {"over a selected result", L"15", true, {0, 1}, L"2", L"25", KV_STATUS_ANSWERED},
        {"blanks and line ends dropped", L"0", false, {0, 0}, L" 4+\r\n5\t ", L"4+5", KV_STATUS_ANSWERED},
        {"nothing over everything", L"12", false, {0, 2}, L"", L"0", KV_STATUS_ANSWERED},
        {"too long", L"1+", false, {0, 0}, std::wstring(254, L'1'), L"1+", KV_STATUS_REFUSED},
        {"just fits", L"1+", false, {0, 0}, std::wstring(253, L'1'), L"1+" + std::wstring(253, L'1'),
         KV_STATUS_ANSWERED},
    };
    AddControl(KV_DISPLAY_PASTE_TEXT);
    for (const PasteCase& c : cases) {
        SetDisplay(c.display);
        display_->setSelection(c.selection.first, c.selection.second);
        Engine().ResultShown = c.resultShown;
        Engine().NewNumber = c.resultShown;
        Control(KV_DISPLAY_PASTE_TEXT).setText(c.pasted);
        Press(KV_DISPLAY_PASTE);
        EXPECT_EQ(Display(), c.after) << c.name;
        EXPECT_EQ(GetLastStatus(), c.status) << c.name;
    }
}

// After a paste the entry goes on from the pasted text: "=" computes it and a digit is
// appended, whatever was shown before.
TEST_F(KeypadTest, PastedTextIsTheEntry) {
    AddControl(KV_DISPLAY_PASTE_TEXT).setText(L"(1+2)*3");
    Press({kClear, KV_DISPLAY_PASTE});
    EXPECT_EQ(Display(), L"(1+2)*3");
    Press(kEquals);
    EXPECT_EQ(Display(), L"9");
    Control(KV_DISPLAY_PASTE_TEXT).setText(L"12");
    Press({KV_DISPLAY_PASTE, KV_STD_3});
    EXPECT_EQ(Display(), L"123");
    EXPECT_FALSE(Engine().ResultShown);
}

// Every key that types a character, on either keypad, appends it to an entry in progress:
// the keys are told apart by what they type.
TEST_F(KeypadTest, EveryTypingKeyAppendsWhatItTypes) {
    const struct {
        const KvKey* keys;
        std::size_t count;
    } tables[] = {{kvStandardKeys, KV_KEY_COUNT(kvStandardKeys)}, {kvScientificKeys, KV_KEY_COUNT(kvScientificKeys)}};
    int typing = 0;
    for (const auto& table : tables) {
        for (std::size_t i = 0; i < table.count; ++i) {
            const KvKey& key = table.keys[i];
            if (!key.typed) continue;
            ++typing;
            Run({key.label, L"12", {{key.id, std::wstring(L"12") + key.typed}}});
        }
    }
    EXPECT_EQ(typing, 32);  // 10 digits, the point and 4 operators on each keypad; 2 brackets
}

struct FlagCase {
    const char* name;
    int key;
    bool newNumberBefore, resultShownBefore;
    bool newNumberAfter, resultShownAfter;
};

TEST_F(KeypadTest, KeysSetTheEntryFlags) {
    const FlagCase cases[] = {
        {"digit", KV_STD_5, true, true, false, false},
        {"point", kPoint, true, true, false, false},
        {"operator", kPlus, true, true, false, false},
        {"open bracket", kOpen, true, true, false, false},
        {"pi", kPi, true, true, false, false},
        {"e", kE, false, true, true, false},
        {"clear", kClear, false, true, true, false},
        {"clear entry keeps result flag", kClearEntry, false, true, true, true},
        {"power key keeps result flag", kPower, false, false, true, false},
        {"equals", kEquals, false, false, true, true},
        {"function key", kSquare, false, false, true, true},
        {"function key error", kLn, false, false, true, true},
        {"factorial", kFactorial, false, false, true, true},
        {"percent", kPercent, false, false, true, true},
        {"closing bracket", kClose, false, true, false, true},
        {"sign change", kSign, true, false, true, false},
        {"backspace removing a character", kBackspace, true, true, true, true},
        {"unknown code", kNoKey, false, true, false, true},
        {"fraction code without a fraction line", KV_FRACTION_SOLVE, false, true, false, true},
    };
    for (const FlagCase& c : cases) {
        Engine() = abacor::EngineState{};
        InitFractions(&main_);
        SetDisplay(L"12");
        Engine().NewNumber = c.newNumberBefore;
        Engine().ResultShown = c.resultShownBefore;
        Press(c.key);
        EXPECT_EQ(Engine().NewNumber, c.newNumberAfter) << c.name;
        EXPECT_EQ(Engine().ResultShown, c.resultShownAfter) << c.name;
    }
}

TEST_F(KeypadTest, ReciprocalOfZeroChangesNoFlag) {
    SetDisplay(L"0");
    Engine().NewNumber = false;
    Engine().ResultShown = false;
    Press(kReciprocal);
    EXPECT_EQ(Display(), L"Деление на 0");
    EXPECT_FALSE(Engine().NewNumber);
    EXPECT_FALSE(Engine().ResultShown);
}

TEST_F(KeypadTest, OnlyValueShowingKeysRecordTheLastResult) {
    const struct {
        int key;
        std::wstring display;
        double lastResult;
    } cases[] = {
        {kSquare, L"3", 9},      {kSqrt, L"9", 3},         {kExp, L"0", 1},  {kPowerOfTen, L"2", 100},
        {kLog, L"100", 2},       {kLn, L"1", 0},           {kAbs, L"-3", -1}, {kReciprocal, L"4", -1},
        {kSqrt, L"-1", -1},      {kEquals, L"2+2", -1},    {kFactorial, L"3", -1},
    };
    for (const auto& c : cases) {
        Engine().LastResult = -1;
        SetDisplay(c.display);
        Press(c.key);
        EXPECT_EQ(GetResult(), c.lastResult) << "key " << c.key;
    }
}

TEST_F(KeypadTest, FixedPrecisionKeepsZerosOnlyForEquals) {
    SetPrecision(2);
    SetDisplay(L"2×2");
    Press(kEquals);
    EXPECT_EQ(Display(), L"4.00");
    SetDisplay(L"2");
    Press(kSquare);
    EXPECT_EQ(Display(), L"4");
    SetDisplay(L"2.5");
    Press(kSquare);
    EXPECT_EQ(Display(), L"6.25");
}

TEST_F(KeypadTest, ClearKeysHideTheMemoryIndicators) {
    for (int key : {int{kClear}, int{KV_SCI_CLEAR}, int{kClearEntry}, int{KV_SCI_CLEAR_ENTRY}}) {
        for (int id = KV_MEMORY_INDICATOR_MC; id <= KV_MEMORY_INDICATOR_MS; ++id) {
            if (!main_.child(id)) AddControl(id);
            Control(id).setVisible(true);
        }
        Press(key);
        for (int id = KV_MEMORY_INDICATOR_MC; id <= KV_MEMORY_INDICATOR_MS; ++id) {
            EXPECT_FALSE(Control(id).visibleFlag()) << "key " << key;
        }
    }
}

TEST_F(KeypadTest, DisplayNeverGrowsPast255Characters) {
    const std::wstring full(255, L'1');
    for (int key : {int{KV_STD_5}, int{kZero}, int{kPoint}, int{kPlus}, int{kOpen}, int{kClose}, int{kE}}) {
        SetDisplay(full);
        Engine().NewNumber = false;
        Engine().ResultShown = false;
        Press(key);
        EXPECT_EQ(Display(), full) << "key " << key;
        EXPECT_FALSE(Engine().NewNumber) << "key " << key;
    }
    // A longer text than the display holds is seen only up to 255 characters.
    SetDisplay(std::wstring(300, L'2'));
    Press(kBackspace);
    EXPECT_EQ(Display(), std::wstring(254, L'2'));
}

// Whatever is on the display and whatever is pressed, the engine's state stays sound
// and the display within its capacity.
TEST_F(KeypadTest, RandomKeysOnRandomDisplaysKeepTheStateSound) {
    const int controls[] = {KV_FRACTION_LINE,   KV_FRACTION_WHOLE,  KV_FRACTION_NUMERATOR, KV_FRACTION_DENOMINATOR,
                            KV_FRACTION_SEPARATOR, KV_QUADRATIC_A,  KV_QUADRATIC_B,        KV_QUADRATIC_C,
                            KV_QUADRATIC_ROOT1, KV_QUADRATIC_ROOT2, KV_QUADRATIC_SIGN_B,   KV_QUADRATIC_SIGN_C};
    for (int id : controls) AddControl(id);
    AddControl(KV_MEMORY_LIST, {0, 0, 0, 0}, false);
    const std::wstring alphabet = L"0123456789.,+-*/^()×÷ xe:%=sinlogqrtабв";
    std::mt19937 random(20261207);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int round = 0; round < 400; ++round) {
        std::wstring text(static_cast<std::size_t>(pick(256)), L'0');
        for (wchar_t& c : text) c = alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
        SetDisplay(text);
        Control(KV_FRACTION_LINE).setText(text);
        Control(KV_QUADRATIC_A).setText(text);
        for (int press = 0; press < 30; ++press) {
            const int ranges[][2] = {{KV_STD_FIRST, KV_SCI_LAST},      {KV_FRACTION_SOLVE, KV_FRACTION_SOLVE},
                                     {KV_QUADRATIC_SOLVE, KV_QUADRATIC_SOLVE}, {KV_MEMORY_FIRST, KV_MEMORY_LAST},
                                     {KV_EQ_FIRST, KV_EQ_LAST},        {KV_INEQ_FIRST, KV_INEQ_LAST}};
            const auto& range = ranges[pick(6)];
            const int key = range[0] + pick(range[1] - range[0] + 1);
            Press(key);
            if (key == KV_MEMORY_SHOW_LIST && pick(2) == 0) ProcessMemoryComboSelect(display_);
            ASSERT_LE(Display().size(), 255u) << "key " << key;
            ASSERT_TRUE(Engine().PendingOp == abacor::kNoPendingOp || Engine().PendingOp == abacor::kPendingPower ||
                        Engine().PendingOp == abacor::kPendingRemainder);
            ASSERT_GE(Engine().MemoryCount, 0);
            ASSERT_LE(Engine().MemoryCount, 10);
        }
    }
}

}  // namespace
