#include "headless_main_window.h"

#include <algorithm>
#include <iterator>

namespace headless {

namespace {

// The program's main window is 400 by 600.
constexpr int kMainWidth = 400;
constexpr int kMainHeight = 600;

struct ControlLayout {
    int id;
    KvRect geometry;
    bool visible;
};

constexpr KvRect kUnplaced{0, 0, 0, 0};

constexpr ControlLayout kLayout[] = {
    {KV_DISPLAY, {3, 55, 320, 115}, true},
    {KV_MEMORY_INDICATOR_MC, kUnplaced, false},
    {KV_MEMORY_INDICATOR_MR, kUnplaced, false},
    {KV_MEMORY_INDICATOR_ADD, kUnplaced, false},
    {KV_MEMORY_INDICATOR_SUBTRACT, kUnplaced, false},
    {KV_MEMORY_INDICATOR_MS, kUnplaced, false},
    // Quadratic panel: coefficients, the sign selectors of b and c, the two roots.
    {KV_QUADRATIC_A, kUnplaced, true},
    {KV_QUADRATIC_B, kUnplaced, true},
    {KV_QUADRATIC_C, kUnplaced, true},
    {KV_QUADRATIC_ROOT1, kUnplaced, true},
    {KV_QUADRATIC_ROOT2, kUnplaced, true},
    {KV_QUADRATIC_SIGN_B, kUnplaced, true},
    {KV_QUADRATIC_SIGN_C, kUnplaced, true},
    {KV_MEMORY_LIST, {3, 30, 200, 230}, false},
    // Fractions panel.
    {KV_FRACTION_LINE, {5, 60, 315, 85}, true},
    {KV_FRACTION_WHOLE, {105, 160, 155, 180}, true},
    {KV_FRACTION_NUMERATOR, {165, 145, 215, 165}, true},
    {KV_FRACTION_DENOMINATOR, {165, 175, 215, 195}, true},
    {KV_FRACTION_SEPARATOR, {0, 260, 400, 264}, true},
    // Equation panel: input, answer labels and values.
    {KV_EQ_INPUT, {5, 40, 390, 70}, true},
    {KV_EQ_ROW1_LABEL, kUnplaced, false},
    {KV_EQ_ROW2_LABEL, kUnplaced, false},
    {KV_EQ_ROW3_LABEL, kUnplaced, false},
    {KV_EQ_ROW4_LABEL, kUnplaced, false},
    {KV_EQ_ROW1_VALUE, kUnplaced, false},
    {KV_EQ_ROW2_VALUE, kUnplaced, false},
    {KV_EQ_ROW3_VALUE, kUnplaced, false},
    {KV_EQ_ROW4_VALUE, kUnplaced, false},
    // Inequality panel.
    {KV_INEQ_INPUT, {5, 40, 390, 70}, true},
    {KV_INEQ_ANSWER, {240, 150, 370, 170}, true},
};

bool IsSignSelector(int id) { return id == KV_QUADRATIC_SIGN_B || id == KV_QUADRATIC_SIGN_C; }

bool IsProgramOnlyLabel(int id) { return id == KV_EQ_ROW3_LABEL || id == KV_EQ_ROW4_LABEL; }

}  // namespace

Window& AddMainWindowControl(Window& main, int id) {
    const auto layout =
        std::find_if(std::begin(kLayout), std::end(kLayout), [id](const ControlLayout& c) { return c.id == id; });
    if (layout == std::end(kLayout)) return main.addChild(id);
    Window& control = main.addChild(id, layout->geometry, layout->visible);
    if (IsSignSelector(id)) {
        control.addItem(L"+");
        control.addItem(L"-");
        control.setCurrentIndex(0);
    }
    return control;
}

const std::vector<int>& MainWindowControlIds(MainWindowOptions options) {
    static const auto ids = [](bool allRowLabels) {
        std::vector<int> list;
        for (const ControlLayout& c : kLayout) {
            if (allRowLabels || !IsProgramOnlyLabel(c.id)) list.push_back(c.id);
        }
        return list;
    };
    static const std::vector<int> withAllLabels = ids(true);
    static const std::vector<int> withProgramLabels = ids(false);
    return options.allRowLabels ? withAllLabels : withProgramLabels;
}

MainWindow::MainWindow(MainWindowOptions options) : main_(desktop_, 0) {
    main_.resize(kMainWidth, kMainHeight);
    for (int id : MainWindowControlIds(options)) AddMainWindowControl(main_, id);
    display_ = find(KV_DISPLAY);
    display_->setText(L"0");
}

}  // namespace headless
