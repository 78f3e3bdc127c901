// The program's modes: what each mode command (KV_CMD_* of control_ids.h) shows, hides,
// names and sizes. Inequalities, the quadratic equation and the linear system are this
// program's ways into their panels.
#pragma once

#include <QSize>

namespace kelvora {

class ControlRegistry;

enum AppMode : int {
    kStandardMode = 1,
    kScientificMode = 2,
    kFractionsMode = 3,
    kInequalitiesMode = 4,
    kEquationsMode = 5,
    kSettingsMode = 6,
    kGraphsMode = 7,
    kSystemMode = 8,
};

// Groups of controls shown and hidden together.
enum Group : unsigned {
    kStandardKeys = 1u << 0,
    kScientificKeys = 1u << 1,
    kMemoryKeys = 1u << 2,
    kDisplay = 1u << 3,
    kFractionsPanel = 1u << 4,
    kEquationPanel = 1u << 5,
    kInequalityPanel = 1u << 6,
    kQuadraticPanel = 1u << 7,
    kSystemPanel = 1u << 8,
    kSettingsPage = 1u << 9,
    kGraphInput = 1u << 10,
    kAllGroups = (1u << 11) - 1,
};

enum class Frame { Unchanged, Resizable, Fixed };

struct View {
    int command;
    int appMode;             // 0: unchanged
    const char* caption;     // null: unchanged
    bool captionShown;       // the caption gives way where the page has its own title
    unsigned shown;          // groups shown
    unsigned hidden;         // groups hidden
    QSize size;              // invalid: unchanged
    Frame frame;
    bool checksOwnItem;      // otherwise no menu item stays checked
    bool forwarded;          // also passed to the library afterwards
};

// The view a command switches to, or null when it is no mode command.
const View* FindView(int command);

// Hides the hidden groups, then shows what the shown groups show on entry.
void ApplyGroups(const View& view, const ControlRegistry& registry);

}  // namespace kelvora
