// The main window every in-memory face shares: each control the engine looks up is there
// once, by its name, placed and shown as the program has it.
#include "headless_main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace headless {
namespace {

bool SameRect(const KvRect& a, const KvRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// The controls the engine reads or writes, each with whether it starts visible.
const struct {
    int id;
    bool visible;
} kEngineControls[] = {
    {KV_DISPLAY, true},
    {KV_MEMORY_LIST, false},
    {KV_MEMORY_INDICATOR_MC, false},
    {KV_MEMORY_INDICATOR_MR, false},
    {KV_MEMORY_INDICATOR_ADD, false},
    {KV_MEMORY_INDICATOR_SUBTRACT, false},
    {KV_MEMORY_INDICATOR_MS, false},
    {KV_FRACTION_LINE, true},
    {KV_FRACTION_WHOLE, true},
    {KV_FRACTION_NUMERATOR, true},
    {KV_FRACTION_DENOMINATOR, true},
    {KV_FRACTION_SEPARATOR, true},
    {KV_QUADRATIC_A, true},
    {KV_QUADRATIC_SIGN_B, true},
    {KV_QUADRATIC_B, true},
    {KV_QUADRATIC_SIGN_C, true},
    {KV_QUADRATIC_C, true},
    {KV_QUADRATIC_ROOT1, true},
    {KV_QUADRATIC_ROOT2, true},
    {KV_EQ_INPUT, true},
    {KV_EQ_ROW1_LABEL, false},
    {KV_EQ_ROW1_VALUE, false},
    {KV_EQ_ROW2_LABEL, false},
    {KV_EQ_ROW2_VALUE, false},
    {KV_EQ_ROW3_LABEL, false},
    {KV_EQ_ROW3_VALUE, false},
    {KV_EQ_ROW4_LABEL, false},
    {KV_EQ_ROW4_VALUE, false},
    {KV_INEQ_INPUT, true},
    {KV_INEQ_ANSWER, true},
};

TEST(MainWindowTest, HasEveryControlTheEngineUsesOnceWithItsVisibility) {
    MainWindow window;
    const std::vector<int>& ids = MainWindowControlIds();
    EXPECT_EQ(ids.size(), std::size(kEngineControls));
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size()) << "an id twice";
    for (const auto& c : kEngineControls) {
        Window* control = window.find(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        EXPECT_EQ(control->visibleFlag(), c.visible) << c.id;
        EXPECT_EQ(control->parent(), &window.main()) << c.id;
    }
    EXPECT_EQ(&window.display(), window.find(KV_DISPLAY));
    EXPECT_EQ(window.display().fullText(), L"0");
}

TEST(MainWindowTest, ProgramLabelsLeaveOutRowsThreeAndFour) {
    MainWindow window(MainWindowOptions{.allRowLabels = false});
    for (int id : {KV_EQ_ROW3_LABEL, KV_EQ_ROW4_LABEL}) {
        EXPECT_EQ(window.find(id), nullptr) << id;
        const std::vector<int>& ids = MainWindowControlIds({.allRowLabels = false});
        EXPECT_EQ(std::count(ids.begin(), ids.end(), id), 0) << id;
    }
    for (int id : {KV_EQ_ROW1_LABEL, KV_EQ_ROW2_LABEL, KV_EQ_ROW3_VALUE, KV_EQ_ROW4_VALUE}) {
        EXPECT_NE(window.find(id), nullptr) << id;
    }
}

TEST(MainWindowTest, SignSelectorsOfferPlusAndMinusWithPlusChosen) {
    MainWindow window;
    for (int id : {KV_QUADRATIC_SIGN_B, KV_QUADRATIC_SIGN_C}) {
        const Window& selector = window.control(id);
        ASSERT_EQ(selector.itemCount(), 2) << id;
        EXPECT_EQ(selector.item(0), L"+") << id;
        EXPECT_EQ(selector.item(1), L"-") << id;
        EXPECT_EQ(selector.currentIndex(), 0) << id;
    }
}

// The fraction line moves its result fields from where the program puts them.
TEST(MainWindowTest, PlacesControlsAsTheProgramDoes) {
    MainWindow window;
    EXPECT_TRUE(SameRect(window.main().geometry(), {0, 0, 400, 600}));
    const struct {
        int id;
        KvRect geometry;
    } cases[] = {
        {KV_DISPLAY, {3, 55, 320, 115}},
        {KV_MEMORY_LIST, {3, 30, 200, 230}},
        {KV_FRACTION_LINE, {5, 60, 315, 85}},
        {KV_FRACTION_WHOLE, {105, 160, 155, 180}},
        {KV_FRACTION_NUMERATOR, {165, 145, 215, 165}},
        {KV_FRACTION_DENOMINATOR, {165, 175, 215, 195}},
        {KV_FRACTION_SEPARATOR, {0, 260, 400, 264}},
        {KV_EQ_INPUT, {5, 40, 390, 70}},
        {KV_INEQ_INPUT, {5, 40, 390, 70}},
        {KV_INEQ_ANSWER, {240, 150, 370, 170}},
    };
    for (const auto& c : cases) EXPECT_TRUE(SameRect(window.control(c.id).geometry(), c.geometry)) << c.id;
}

// A test that builds its window control by control gets the same controls.
TEST(MainWindowTest, OneControlAtATimeMatchesTheWholeWindow) {
    MainWindow whole;
    Desktop desktop;
    Window main(desktop, 0);
    for (int id : MainWindowControlIds()) {
        const Window& added = AddMainWindowControl(main, id);
        const Window& expected = whole.control(id);
        EXPECT_EQ(added.controlId(), id);
        EXPECT_EQ(added.visibleFlag(), expected.visibleFlag()) << id;
        EXPECT_TRUE(SameRect(added.geometry(), expected.geometry())) << id;
        EXPECT_EQ(added.itemCount(), expected.itemCount()) << id;
    }
    // A control the main window lacks is added plain and visible.
    const Window& other = AddMainWindowControl(main, KV_GRAPH_INPUT);
    EXPECT_TRUE(other.visibleFlag());
    EXPECT_TRUE(SameRect(other.geometry(), {0, 0, 0, 0}));
}

}  // namespace
}  // namespace headless
