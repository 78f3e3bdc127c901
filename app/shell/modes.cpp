#include "modes.h"

#include <iterator>

#include <QWidget>

#include "control_ids.h"
#include "qt_ports.h"
#include "screen_fit.h"
#include "trig_row.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

struct IdRange {
    int first;
    int last;
};

struct GroupSpec {
    Group group;
    std::initializer_list<IdRange> members;  // hidden with the group
    std::initializer_list<IdRange> entry;    // shown when a mode shows the group
};

// The equation panel shows its first answer row only; the solver shows the others. The
// system panel shows its own controls, which depend on its number of rows.
constexpr IdRange kStandardRange{KV_STD_FIRST, KV_STD_LAST};
constexpr IdRange kScientificRange{KV_SCI_FIRST, KV_SCI_LAST};
constexpr IdRange kTrigRange{KV_SCI_TRIG_FIRST, KV_SCI_TRIG_LAST};
constexpr IdRange kMemoryRange{KV_MEMORY_FIRST, KV_MEMORY_LAST};
constexpr IdRange kDisplayRange{KV_DISPLAY, KV_DISPLAY};
constexpr IdRange kFractionButtons{KV_FRACTION_BUTTONS_FIRST, KV_FRACTION_BUTTONS_LAST};
constexpr IdRange kFractionFields{KV_FRACTION_FIELDS_FIRST, KV_FRACTION_FIELDS_LAST};
constexpr IdRange kInequalityRange{KV_INEQ_FIRST, KV_INEQ_LAST};
constexpr IdRange kQuadraticRange{KV_QUADRATIC_FIRST, KV_QUADRATIC_LAST};
constexpr IdRange kSettingsRange{KV_SETTINGS_FIRST, KV_SETTINGS_LAST};
constexpr IdRange kGraphInputRange{KV_GRAPH_INPUT, KV_GRAPH_BUILD};

const GroupSpec kGroups[] = {
    {kStandardKeys, {kStandardRange}, {kStandardRange}},
    // The trigonometric row shows itself as its "2nd" key stands (ShowTrigRow).
    {kScientificKeys, {kScientificRange, kTrigRange}, {kScientificRange}},
    {kMemoryKeys, {kMemoryRange}, {kMemoryRange}},
    {kDisplay, {kDisplayRange}, {kDisplayRange}},
    {kFractionsPanel, {kFractionButtons, kFractionFields}, {kFractionButtons, kFractionFields}},
    {kEquationPanel, {{KV_EQ_FIRST, KV_EQ_LAST}}, {{KV_EQ_FIRST, KV_EQ_ROW1_VALUE}, {KV_EQ_STEPS, KV_EQ_SHOWN_LAST}}},
    {kInequalityPanel, {kInequalityRange}, {kInequalityRange}},
    {kQuadraticPanel, {kQuadraticRange}, {kQuadraticRange}},
    {kSystemPanel, {{KV_SYS_FIRST, KV_SYS_LAST}}, {}},
    {kSettingsPage, {kSettingsRange}, {kSettingsRange}},
    {kGraphInput, {kGraphInputRange}, {kGraphInputRange}},
};

// The smallest sizes that show each mode's content: the keypads shrink down to keys of
// 40 x 30 (the scientific one below its row of trigonometric keys); the panels stand
// where they were drawn.
constexpr QSize kStandardMinimum(290, 360);
constexpr QSize kScientificMinimum(290, 400);
constexpr QSize kFractionsMinimum(320, 270);
constexpr QSize kEquationsMinimum(320, 380);
constexpr QSize kSettingsMinimum(340, 470);
constexpr QSize kGraphsMinimum(290, 300);
// Wide enough for the number line (to x 400) and the answer and "i" (to x 370).
constexpr QSize kInequalitiesMinimum(410, 470);
constexpr QSize kQuadraticMinimum(290, 240);
// Wide enough for the add and remove buttons beside the rows (to x 360).
constexpr QSize kSystemMinimum(370, 400);

constexpr unsigned Others(unsigned shown) { return kAllGroups & ~shown; }

const View kViews[] = {
    {KV_CMD_STANDARD, kStandardMode, ui::kStandardCaption, true, kMemoryKeys | kStandardKeys | kDisplay,
     Others(kMemoryKeys | kStandardKeys | kDisplay), kStandardMinimum, true, false},
    {KV_CMD_SCIENTIFIC, kScientificMode, ui::kScientificCaption, true, kMemoryKeys | kScientificKeys | kDisplay,
     Others(kMemoryKeys | kScientificKeys | kDisplay), kScientificMinimum, true, false},
    {KV_CMD_FRACTIONS, kFractionsMode, ui::kFractionsCaption, true, kFractionsPanel, Others(kFractionsPanel),
     kFractionsMinimum, true, false},
    {KV_CMD_EQUATIONS, kEquationsMode, ui::kEquationsCaption, true, kEquationPanel, Others(kEquationPanel),
     kEquationsMinimum, false, true},
    {KV_CMD_SETTINGS, kSettingsMode, ui::kSettingsCaption, false, kSettingsPage, Others(kSettingsPage),
     kSettingsMinimum, true, false},
    {KV_CMD_GRAPHS, kGraphsMode, ui::kGraphsCaption, false, kGraphInput, Others(kGraphInput), kGraphsMinimum, true,
     false},
    {KV_CMD_FORMULAS, kInequalitiesMode, ui::kFormulasCaption, true, 0, kInequalityPanel | kGraphInput,
     kStandardMinimum, true, false},
    {KV_CMD_INEQUALITIES, kInequalitiesMode, ui::kInequalitiesCaption, true, kInequalityPanel, Others(kInequalityPanel),
     kInequalitiesMinimum, true, false},
    // The quadratic panel belongs to the equations and paints nothing over the window.
    {KV_CMD_QUADRATIC, kEquationsMode, ui::kQuadraticCaption, true, kQuadraticPanel, Others(kQuadraticPanel),
     kQuadraticMinimum, true, true},
    {KV_CMD_SYSTEM, kSystemMode, ui::kSystemsCaption, true, kSystemPanel, Others(kSystemPanel), kSystemMinimum, true,
     false},
};

}  // namespace

const View* FindView(int command) {
    for (const View& view : kViews) {
        if (view.command == command) return &view;
    }
    return nullptr;
}

void ApplyGroups(const View& view, const ControlRegistry& registry) {
    for (const GroupSpec& definition : kGroups) {
        if (!(view.hidden & definition.group)) continue;
        for (const IdRange& range : definition.members) registry.setRangeVisible(range.first, range.last, false);
    }
    for (const GroupSpec& definition : kGroups) {
        if (!(view.shown & definition.group)) continue;
        for (const IdRange& range : definition.entry) registry.setRangeVisible(range.first, range.last, true);
    }
    if (view.shown & kScientificKeys) ShowTrigRow(registry);
}

QSize SizeFor(const View& view, QSize userSize, QSize room) {
    return userSize.expandedTo(view.minimum).boundedTo(room);
}

void WindowSizing::noteResize(QSize size) {
    if (!applying_ && size != requested_) userSize_ = size;
}

// A window larger than its screen's free area is limited to it, and moved back inside.
void WindowSizing::apply(QWidget& window, const View& view) {
    const QSize frame = FrameAllowance(window);
    const QRect area = AvailableArea(window);
    const QSize room = area.isEmpty() ? QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX) : area.size() - frame;
    // A new minimum may resize the window on its way: that size is not the user's.
    applying_ = true;
    requested_ = SizeFor(view, userSize_, room);
    window.setMinimumSize(view.minimum.boundedTo(room));
    window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    window.resize(requested_);
    applying_ = false;
    if (!window.isVisible()) return;
    const QRect framed(window.frameGeometry().topLeft(), requested_ + frame);
    const QRect inside = MoveInside(framed, area);
    if (inside != framed) window.move(inside.topLeft());
}

}  // namespace kelvora
