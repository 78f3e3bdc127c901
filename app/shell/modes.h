// The program's modes: what each mode command (KV_CMD_* of control_ids.h) shows, hides,
// names and sizes. Inequalities, the quadratic equation and the linear system are this
// program's ways into their panels.
#pragma once

#include <QSize>

class QWidget;

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

struct View {
    int command;
    int appMode;             // 0: unchanged
    const char* caption;     // null: unchanged
    bool captionShown;       // the caption gives way where the page has its own title
    unsigned shown;          // groups shown
    unsigned hidden;         // groups hidden
    QSize minimum;           // the smallest size that shows all of the mode's content
    bool checksOwnItem;      // otherwise no menu item stays checked
    bool forwarded;          // also passed to the library afterwards
};

// The view a command switches to, or null when it is no mode command.
const View* FindView(int command);

// Hides the hidden groups, then shows what the shown groups show on entry.
void ApplyGroups(const View& view, const ControlRegistry& registry);

// The size a window switching to the view takes: the user's size grown to the view's
// minimum, but never beyond the room on the screen.
QSize SizeFor(const View& view, QSize userSize, QSize room);

// Keeps the size the user chose for the window apart from the sizes the modes give it, so
// that switching modes returns to it.
class WindowSizing {
public:
    // The size the window opens with until the user (or the saved settings) chose one.
    static constexpr QSize kOpeningSize{335, 510};

    // A resize of the window: the user's unless the program asked for this size.
    void noteResize(QSize size);
    // Sizes and limits the window as the view asks, within the screen it is on.
    void apply(QWidget& window, const View& view);
    // The size the user chose last; restoring one (as saved settings do) applies it at the
    // next mode switch.
    QSize userSize() const { return userSize_; }
    void restoreUserSize(QSize size) { userSize_ = size; }

private:
    QSize userSize_ = kOpeningSize;
    QSize requested_;
    bool applying_ = false;
};

}  // namespace kelvora
