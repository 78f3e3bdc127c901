// The scientific keypad's sin, cos and tan keys, their inverses and the angle unit.
#include <cmath>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "control_ids.h"
#include "core/trig_keys.h"
#include "engine_fixture.h"

namespace {

using abacor::TrigValue;

struct ValueCase {
    const char* name;
    int key;
    double x;
    bool degrees;
    std::optional<double> expected;  // none: no value
};

// Exact where the unit makes a value exact, within rounding elsewhere.
TEST(TrigValue, DegreesAndRadians) {
    constexpr double pi = std::numbers::pi;
    const ValueCase cases[] = {
        {"sin 30°", KV_SCI_SIN, 30, true, 0.5},
        {"sin 90°", KV_SCI_SIN, 90, true, 1},
        {"sin 180° is exactly 0", KV_SCI_SIN, 180, true, 0},
        {"sin -540° is exactly 0", KV_SCI_SIN, -540, true, 0},
        {"sin 390° wraps to 30°", KV_SCI_SIN, 390, true, 0.5},
        {"sin 210°", KV_SCI_SIN, 210, true, -0.5},
        {"cos 60°", KV_SCI_COS, 60, true, 0.5},
        {"cos 90° is exactly 0", KV_SCI_COS, 90, true, 0},
        {"cos -270° is exactly 0", KV_SCI_COS, -270, true, 0},
        {"cos 180°", KV_SCI_COS, 180, true, -1},
        {"tan 45°", KV_SCI_TAN, 45, true, 1},
        {"tan 135°", KV_SCI_TAN, 135, true, -1},
        {"tan 180° is exactly 0", KV_SCI_TAN, 180, true, 0},
        {"tan 90° has no value", KV_SCI_TAN, 90, true, std::nullopt},
        {"tan -270° has no value", KV_SCI_TAN, -270, true, std::nullopt},
        {"sin π/6 rad", KV_SCI_SIN, pi / 6, false, 0.5},
        {"sin 30 rad is not sin 30°", KV_SCI_SIN, 30, false, std::sin(30.0)},
        {"cos π rad", KV_SCI_COS, pi, false, -1},
        {"tan 1 rad", KV_SCI_TAN, 1, false, std::tan(1.0)},
        {"asin 0.5 in degrees", KV_SCI_ASIN, 0.5, true, 30},
        {"acos 0.5 in degrees", KV_SCI_ACOS, 0.5, true, 60},
        {"atan 1 in degrees", KV_SCI_ATAN, 1, true, 45},
        {"acos -1 in degrees", KV_SCI_ACOS, -1, true, 180},
        {"asin 1 in radians", KV_SCI_ASIN, 1, false, pi / 2},
        {"atan -1 in radians", KV_SCI_ATAN, -1, false, -pi / 4},
        {"asin beyond 1", KV_SCI_ASIN, 1.0001, true, std::nullopt},
        {"acos below -1", KV_SCI_ACOS, -2, false, std::nullopt},
        {"atan of a large number", KV_SCI_ATAN, 1e300, true, 90},
        {"no function behind the angle keys", KV_SCI_DEGREES, 1, true, std::nullopt},
        {"no function behind ln", KV_SCI_LN, 1, true, std::nullopt},
    };
    for (const ValueCase& c : cases) {
        const std::optional<double> value = TrigValue(c.key, c.x, c.degrees);
        ASSERT_EQ(value.has_value(), c.expected.has_value()) << c.name;
        if (c.expected) {
            EXPECT_NEAR(*value, *c.expected, 1e-12) << c.name;
        }
    }
}

TEST(TrigValue, ExactZerosAreExact) {
    for (int key : {KV_SCI_SIN, KV_SCI_TAN}) {
        for (double x : {0.0, 180.0, -180.0, 360.0, 1800.0}) EXPECT_EQ(*TrigValue(key, x, true), 0.0) << key << " " << x;
    }
    for (double x : {90.0, 270.0, -90.0, 450.0}) EXPECT_EQ(*TrigValue(KV_SCI_COS, x, true), 0.0) << x;
}

struct Step {
    int key;
    std::wstring display;  // after the key
};

struct Sequence {
    const char* name;
    std::wstring start;
    std::vector<Step> steps;
};

class TrigKeysTest : public EngineTest {
protected:
    void Run(const Sequence& sequence) {
        abacor::Engine() = abacor::EngineState{};
        InitFractions(&main_);
        SetDisplay(sequence.start);
        for (std::size_t i = 0; i < sequence.steps.size(); ++i) {
            Press(sequence.steps[i].key);
            EXPECT_EQ(Display(), sequence.steps[i].display) << sequence.name << ", step " << i + 1;
        }
    }
};

TEST_F(TrigKeysTest, KeysShowTheValueOfTheDisplayedNumber) {
    const Sequence sequences[] = {
        {"degrees at start", L"30", {{KV_SCI_SIN, L"0.5"}}},
        {"rounded to the display's digits", L"60", {{KV_SCI_COS, L"0.5"}}},
        {"no negative zero", L"-180", {{KV_SCI_SIN, L"0"}}},
        {"tan 90° names the fault", L"90", {{KV_SCI_TAN, L"Ошибка"}}},
        {"inverse in degrees", L"0.5", {{KV_SCI_ASIN, L"30"}}},
        {"inverse outside its domain", L"2", {{KV_SCI_ACOS, L"Ошибка"}}},
        {"radians chosen", L"1", {{KV_SCI_RADIANS, L"1"}, {KV_SCI_ATAN, L"0.7853981634"}}},
        {"degrees again", L"1", {{KV_SCI_RADIANS, L"1"}, {KV_SCI_DEGREES, L"1"}, {KV_SCI_ATAN, L"45"}}},
        {"a result starts a new entry", L"30", {{KV_SCI_SIN, L"0.5"}, {KV_SCI_2, L"2"}}},
        {"a result takes an operator", L"90", {{KV_SCI_SIN, L"1"}, {KV_SCI_PLUS, L"1+"}, {KV_SCI_1, L"1+1"},
                                                 {KV_SCI_EQUALS, L"2"}}},
        {"the program's own keys do nothing here", L"30", {{KV_SCI_SECOND, L"30"}, {KV_SCI_ANGLE_SWITCH, L"30"}}},
    };
    for (const Sequence& s : sequences) Run(s);
}

TEST_F(TrigKeysTest, UnitSurvivesClearAndStatusIsRecorded) {
    SetDisplay(L"1");
    Press({KV_SCI_RADIANS, KV_SCI_CLEAR, KV_SCI_3});
    Press(KV_SCI_SIN);
    EXPECT_EQ(Display(), L"0.1411200081");
    EXPECT_EQ(GetLastStatus(), KV_STATUS_ANSWERED);
    EXPECT_DOUBLE_EQ(abacor::Engine().LastResult, std::sin(3.0));
    SetDisplay(L"5");
    Press(KV_SCI_ASIN);
    EXPECT_EQ(GetLastStatus(), KV_STATUS_UNDEFINED);
    Press(KV_SCI_DEGREES);
    EXPECT_EQ(GetLastStatus(), KV_STATUS_ANSWERED);
}

// Every key of the trigonometry table that the command line names has a unique name, and
// no name is one of the other keypads'.
TEST(TrigKeyTable, NamesAreUniqueAcrossKeypads) {
    const struct {
        const KvKey* keys;
        std::size_t count;
    } others[] = {{kvStandardKeys, KV_KEY_COUNT(kvStandardKeys)},
                  {kvScientificKeys, KV_KEY_COUNT(kvScientificKeys)},
                  {kvMemoryKeys, KV_KEY_COUNT(kvMemoryKeys)}};
    int named = 0;
    for (const KvKey& key : kvTrigKeys) {
        EXPECT_GE(key.id, KV_SCI_TRIG_FIRST);
        EXPECT_LE(key.id, KV_SCI_TRIG_LAST);
        if (!key.name) continue;
        ++named;
        for (const auto& table : others) {
            for (std::size_t i = 0; i < table.count; ++i) {
                if (table.keys[i].name) {
                    EXPECT_STRNE(table.keys[i].name, key.name);
                }
            }
        }
    }
    EXPECT_EQ(named, 8);  // six functions and two units
}

}  // namespace
