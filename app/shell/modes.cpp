#include "modes.h"

#include <iterator>

#include "qt_ports.h"

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
const GroupSpec kGroups[] = {
    {kStandardKeys, {{0, 24}}, {{0, 24}}},
    {kScientificKeys, {{30, 64}}, {{30, 64}}},
    {kMemoryKeys, {{1600, 1605}}, {{1600, 1605}}},
    {kDisplay, {{100, 100}}, {{100, 100}}},
    {kFractionsPanel, {{150, 180}, {1200, 1300}}, {{150, 180}, {1200, 1300}}},
    {kEquationPanel, {{1700, 1772}}, {{1700, 1724}, {1726, 1740}}},
    {kInequalityPanel, {{2100, 2132}}, {{2100, 2132}}},
    {kQuadraticPanel, {{1420, 1500}}, {{1420, 1500}}},
    {kSystemPanel, {{1800, 1810}}, {}},
    {kSettingsPage, {{2400, 2700}}, {{2400, 2700}}},
    {kGraphInput, {{2200, 2201}}, {{2200, 2201}}},
};

constexpr QSize kStandardSize(335, 510);
constexpr QSize kSettingsSize(340, 510);
// Wide enough for the number line (to x 400) and the answer and "i" (to x 370).
constexpr QSize kInequalitiesSize(410, 510);
// Wide enough for the add and remove buttons beside the rows (to x 360).
constexpr QSize kSystemSize(370, 510);

constexpr unsigned Others(unsigned shown) { return kAllGroups & ~shown; }

// The captions' double blank before "▼" (and the single one of "Дроби") are the
// program's own.
const View kViews[] = {
    {kStandardCommand, kStandardMode, "Стандартный  ▼", true, kMemoryKeys | kStandardKeys | kDisplay,
     Others(kMemoryKeys | kStandardKeys | kDisplay), kStandardSize, Frame::Resizable, true, false},
    {kScientificCommand, kScientificMode, "Научный  ▼", true, kMemoryKeys | kScientificKeys | kDisplay,
     Others(kMemoryKeys | kScientificKeys | kDisplay), kStandardSize, Frame::Resizable, true, false},
    {kFractionsCommand, kFractionsMode, "Дроби ▼", true, kFractionsPanel, Others(kFractionsPanel), kStandardSize,
     Frame::Fixed, true, false},
    {kEquationsCommand, kEquationsMode, "Уравнения  ▼", true, kEquationPanel, Others(kEquationPanel), kStandardSize,
     Frame::Resizable, false, true},
    {kSettingsCommand, kSettingsMode, "Настройки  ▼", false, kSettingsPage, Others(kSettingsPage), kSettingsSize,
     Frame::Fixed, true, false},
    {kGraphsCommand, kGraphsMode, "Графики  ▼", false, kGraphInput, Others(kGraphInput), QSize(), Frame::Resizable,
     true, false},
    {kFormulasCommand, kInequalitiesMode, "Формулы  ▼", true, 0, kInequalityPanel | kGraphInput, kStandardSize,
     Frame::Unchanged, true, false},
    {kInequalitiesCommand, kInequalitiesMode, "Неравенства  ▼", true, kInequalityPanel, Others(kInequalityPanel),
     kInequalitiesSize, Frame::Fixed, true, false},
    // The quadratic panel belongs to the equations and paints nothing over the window.
    {kQuadraticCommand, kEquationsMode, "Квадратное уравнение  ▼", true, kQuadraticPanel, Others(kQuadraticPanel),
     kStandardSize, Frame::Fixed, true, true},
    {kSystemCommand, kSystemMode, "Системы уравнений  ▼", true, kSystemPanel, Others(kSystemPanel), kSystemSize,
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
