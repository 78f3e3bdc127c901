#include "modes.h"

#include <iterator>

#include "control_ids.h"
#include "qt_ports.h"
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
    {kScientificKeys, {kScientificRange}, {kScientificRange}},
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

constexpr QSize kStandardSize(335, 510);
constexpr QSize kSettingsSize(340, 510);
// Wide enough for the number line (to x 400) and the answer and "i" (to x 370).
constexpr QSize kInequalitiesSize(410, 510);
// Wide enough for the add and remove buttons beside the rows (to x 360).
constexpr QSize kSystemSize(370, 510);

constexpr unsigned Others(unsigned shown) { return kAllGroups & ~shown; }

const View kViews[] = {
    {KV_CMD_STANDARD, kStandardMode, ui::kStandardCaption, true, kMemoryKeys | kStandardKeys | kDisplay,
     Others(kMemoryKeys | kStandardKeys | kDisplay), kStandardSize, Frame::Resizable, true, false},
    {KV_CMD_SCIENTIFIC, kScientificMode, ui::kScientificCaption, true, kMemoryKeys | kScientificKeys | kDisplay,
     Others(kMemoryKeys | kScientificKeys | kDisplay), kStandardSize, Frame::Resizable, true, false},
    {KV_CMD_FRACTIONS, kFractionsMode, ui::kFractionsCaption, true, kFractionsPanel, Others(kFractionsPanel),
     kStandardSize, Frame::Fixed, true, false},
    {KV_CMD_EQUATIONS, kEquationsMode, ui::kEquationsCaption, true, kEquationPanel, Others(kEquationPanel),
     kStandardSize, Frame::Resizable, false, true},
    {KV_CMD_SETTINGS, kSettingsMode, ui::kSettingsCaption, false, kSettingsPage, Others(kSettingsPage), kSettingsSize,
     Frame::Fixed, true, false},
    {KV_CMD_GRAPHS, kGraphsMode, ui::kGraphsCaption, false, kGraphInput, Others(kGraphInput), QSize(), Frame::Resizable,
     true, false},
    {KV_CMD_FORMULAS, kInequalitiesMode, ui::kFormulasCaption, true, 0, kInequalityPanel | kGraphInput, kStandardSize,
     Frame::Unchanged, true, false},
    {KV_CMD_INEQUALITIES, kInequalitiesMode, ui::kInequalitiesCaption, true, kInequalityPanel, Others(kInequalityPanel),
     kInequalitiesSize, Frame::Fixed, true, false},
    // The quadratic panel belongs to the equations and paints nothing over the window.
    {KV_CMD_QUADRATIC, kEquationsMode, ui::kQuadraticCaption, true, kQuadraticPanel, Others(kQuadraticPanel),
     kStandardSize, Frame::Fixed, true, true},
    {KV_CMD_SYSTEM, kSystemMode, ui::kSystemsCaption, true, kSystemPanel, Others(kSystemPanel), kSystemSize,
     Frame::Fixed, true, false},
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
}

}  // namespace kelvora
