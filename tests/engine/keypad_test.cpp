#include <random>
#include <string>
#include <vector>

#include "core/engine_state.h"
#include "engine_fixture.h"

namespace {

using abacor::Engine;

// Key codes, named as on the keypad.
enum Key {
    kClear = 0, kPlus = 10, kMinus = 11, kEquals = 12, kTimes = 14, kDivide = 15, kSquare = 16, kSqrt = 17,
    kReciprocal = 18, kPercent = 19, kClearEntry = 20, kSign = 21, kZero = 22, kPoint = 23, kBackspace = 24,
    kPi = 30, kE = 31, kAbs = 37, kExp = 38, kRemainder = 39, kOpen = 41, kClose = 42, kFactorial = 43,
    kPower = 45, kPowerOfTen = 50, kLog = 55, kLn = 60,
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
        {"sum", L"", {{1, L"1"}, {2, L"12"}, {kPlus, L"12+"}, {3, L"12+3"}, {kEquals, L"15"}, {4, L"4"}}},
        {"operator after result", L"", {{5, L"5"}, {kEquals, L"5"}, {kPlus, L"5+"}}},
        {"zero on zero", L"", {{kZero, L"0"}, {kPoint, L"0."}, {kZero, L"0.0"}}},
        {"closing bracket on zero", L"", {{kClose, L"0"}}},
        {"point after operator", L"2+3", {{kPoint, L"2+3."}, {kPoint, L"2+3."}}},
        {"point twice", L"2.5", {{kPoint, L"2.5"}}},
        {"point after open operator", L"2×", {{kPoint, L"2×0."}}},
        {"point after a result", L"", {{4, L"4"}, {kEquals, L"4"}, {kPoint, L"4."}}},
        {"scientific digits", L"", {{56, L"1"}, {57, L"12"}, {48, L"129"}, {62, L"1290"}, {63, L"1290."}}},
        {"brackets", L"", {{kOpen, L"("}, {2, L"(2"}, {kPlus, L"(2+"}, {1, L"(2+1"}, {kClose, L"(2+1)"},
                           {kTimes, L"(2+1)×"}, {4, L"(2+1)×4"}, {kEquals, L"12"}}},
        {"divide symbol", L"6", {{kDivide, L"6÷"}, {4, L"6÷4"}, {kEquals, L"1.5"}}},
        {"not evaluable", L"2+", {{kEquals, L"nan"}, {7, L"7"}}},
        {"pi replaces a number", L"12", {{kPi, L"3.1415926535"}}},
        {"pi appends after operator", L"12+", {{kPi, L"12+3.1415926535"}}},
        {"e appends and ends entry", L"12+", {{kE, L"12+2.7182818284"}, {5, L"5"}}},
        {"backspace to zero", L"7", {{kBackspace, L"0"}, {3, L"3"}}},
        {"backspace", L"123", {{kBackspace, L"12"}}},
        {"clear", L"12+3", {{kClear, L"0"}, {5, L"5"}}},
        {"clear entry", L"12+3", {{kClearEntry, L"0"}, {5, L"5"}}},
    };
    for (const Sequence& s : sequences) Run(s);
}

TEST_F(KeypadTest, PowerRemainderAndPercent) {
    const Sequence sequences[] = {
        {"power", L"2", {{kPower, L"0"}, {1, L"1"}, {kZero, L"10"}, {kEquals, L"1024"}}},
        {"remainder", L"7.5", {{kRemainder, L"0"}, {2, L"2"}, {kEquals, L"1.5"}}},
        {"power survives clear", L"3", {{kPower, L"0"}, {kClear, L"0"}, {2, L"2"}, {kEquals, L"9"}}},
        {"percent", L"50", {{kPercent, L"0.5"}}},
        {"percent while a power waits", L"2", {{kPower, L"0"}, {5, L"5"}, {kPercent, L"0"}}},
        {"huge power", L"10", {{kPower, L"0"}, {3, L"3"}, {kZero, L"30"}, {kZero, L"300"}, {kEquals, L"1e+300"}}},
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
        {"reciprocal small", L"0.01", {{18, L"100"}}},
        {"reciprocal of zero", L"0", {{36, L"Деление на 0"}}},
        {"square", L"1.5", {{kSquare, L"2.25"}}},
        {"square root", L"16", {{kSqrt, L"4"}}},
        {"square root negative", L"-4", {{40, L"Ошибка"}}},
        {"absolute", L"-2.5", {{kAbs, L"2.5"}}},
        {"exp", L"1", {{kExp, L"2.7182818285"}}},
        {"ten to the power", L"3", {{kPowerOfTen, L"1000"}}},
        {"log", L"1000", {{kLog, L"3"}}},
        {"log of zero", L"0", {{kLog, L"Ошибка"}}},
        {"ln", L"1", {{kLn, L"0"}}},
        {"ln negative", L"-1", {{kLn, L"Ошибка"}}},
        {"sign change", L"5", {{kSign, L"-5"}, {61, L"5"}}},
        {"sign change of zero", L"0", {{kSign, L"-0"}}},
        {"sign change reads the leading number", L"2+3", {{kSign, L"-2"}}},
        {"error text reads as 0", L"", {{kLn, L"Ошибка"}, {kSquare, L"0"}}},
    };
    for (const Sequence& s : sequences) Run(s);
}

struct FlagCase {
    const char* name;
    int key;
    bool newNumberBefore, resultShownBefore;
    bool newNumberAfter, resultShownAfter;
};

TEST_F(KeypadTest, KeysSetTheEntryFlags) {
    const FlagCase cases[] = {
        {"digit", 5, true, true, false, false},
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
        {"unknown code", 13, false, true, false, true},
        {"fraction code without a fraction line", 150, false, true, false, true},
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
    for (int key : {int{kClear}, 32, int{kClearEntry}, 33}) {
        for (int id = 5000; id <= 5004; ++id) {
            if (!main_.child(id)) AddControl(id);
            Control(id).setVisible(true);
        }
        Press(key);
        for (int id = 5000; id <= 5004; ++id) EXPECT_FALSE(Control(id).visibleFlag()) << "key " << key;
    }
}

TEST_F(KeypadTest, DisplayNeverGrowsPast255Characters) {
    const std::wstring full(255, L'1');
    for (int key : {int{5}, int{kZero}, int{kPoint}, int{kPlus}, int{kOpen}, int{kClose}, int{kE}}) {
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

class QuadraticPanelTest : public EngineTest {
protected:
    QuadraticPanelTest() {
        AddControl(1420);
        AddControl(1423);
        AddControl(1426);
        AddControl(1431);
        AddControl(1432);
        for (int id : {1422, 1425}) {
            AddControl(id).addItem(L"+");
            Control(id).addItem(L"-");
        }
    }

    void Solve(const std::wstring& a, int signB, const std::wstring& b, int signC, const std::wstring& c) {
        Control(1420).setText(a);
        Control(1422).setCurrentIndex(signB);
        Control(1423).setText(b);
        Control(1425).setCurrentIndex(signC);
        Control(1426).setText(c);
        Press(1428);
    }
};

TEST_F(QuadraticPanelTest, RootsAndMessages) {
    const struct {
        std::wstring a;
        int signB;
        std::wstring b;
        int signC;
        std::wstring c;
        std::wstring first, second;
    } cases[] = {
        {L"1", 1, L"3", 0, L"2", L"2.0000", L"1.0000"},
        {L"1", 0, L"2", 0, L"1", L"-1.0000", L"—"},
        {L"0", 0, L"2", 0, L"1", L"Коэффициент 'a' не может быть нулём!", L""},
        {L"", 0, L"2", 0, L"1", L"Коэффициент 'a' не может быть нулём!", L""},
        {L"1", 0, L"1", 0, L"1", L"Нет действительных корней", L""},
        {L"2", 0, L"0", 1, L"8", L"2.0000", L"-2.0000"},
        {L"1", -1, L"1", -1, L"6", L"3.0000", L"-2.0000"},  // no selection means minus
        {L"1e-300", 0, L"1", 0, L"0", L"0.0000", L"-1e+300"},
    };
    for (const auto& c : cases) {
        SetDisplay(L"42");
        Solve(c.a, c.signB, c.b, c.signC, c.c);
        EXPECT_EQ(Control(1431).fullText(), c.first);
        EXPECT_EQ(Control(1432).fullText(), c.second);
        EXPECT_EQ(Display(), L"42");
    }
}

// Whatever is on the display and whatever is pressed, the engine's state stays sound
// and the display within its capacity.
TEST_F(KeypadTest, RandomKeysOnRandomDisplaysKeepTheStateSound) {
    for (int id : {1203, 1206, 1207, 1208, 154, 1420, 1423, 1426, 1431, 1432, 1422, 1425}) AddControl(id);
    AddControl(1610, {0, 0, 0, 0}, false);
    const std::wstring alphabet = L"0123456789.,+-*/^()×÷ xe:%=sinlogqrtабв";
    std::mt19937 random(20261207);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int round = 0; round < 400; ++round) {
        std::wstring text(static_cast<std::size_t>(pick(256)), L'0');
        for (wchar_t& c : text) c = alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size())))];
        SetDisplay(text);
        Control(1203).setText(text);
        Control(1420).setText(text);
        for (int press = 0; press < 30; ++press) {
            const int ranges[][2] = {{0, 64}, {150, 150}, {1428, 1428}, {1600, 1605}, {1700, 1771}, {2100, 2132}};
            const auto& range = ranges[pick(6)];
            const int key = range[0] + pick(range[1] - range[0] + 1);
            Press(key);
            if (key == 1605 && pick(2) == 0) ProcessMemoryComboSelect(display_);
            ASSERT_LE(Display().size(), 255u) << "key " << key;
            ASSERT_TRUE(Engine().PendingOp == 0 || Engine().PendingOp == 6 || Engine().PendingOp == 7);
            ASSERT_GE(Engine().MemoryCount, 0);
            ASSERT_LE(Engine().MemoryCount, 10);
        }
    }
}

}  // namespace
