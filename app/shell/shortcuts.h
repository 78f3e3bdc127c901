// The program's one table of keyboard shortcuts: what the keyboard presses on the
// standard and scientific keypads, what it does in the panels and which editing keys
// every field and the display take. The key router, the keys' tooltips and the keys
// help page all read it here.
#pragma once

#include <span>

#include <QString>

class QKeyEvent;

namespace kelvora {

// One keypad key as the keyboard presses it.
struct KeyBinding {
    const char* shown;        // the keys as the help page and the tooltips show them
    const char32_t* typed;    // characters that press it, or null
    int key;                  // a key that presses it whatever it types (Qt::Key), or 0
    int otherKey;             // another such key, or 0
    int standard;             // the button code it sends in standard mode
    int scientific;           // and in scientific mode
};

std::span<const KeyBinding> KeypadBindings();

// The binding the event presses (without Ctrl, Alt or Meta), or null.
const KeyBinding* FindKeypadBinding(const QKeyEvent& event);
int ButtonCode(const KeyBinding& binding, bool scientific);

// A panel: its main field, what Enter runs and what Escape sends (0: Escape empties the
// field that has the focus).
struct PanelKeys {
    int field;
    int run;
    int clear;
};

std::span<const PanelKeys> PanelBindings();

// A key's accessible name, followed by the keyboard keys that press it in brackets when
// it has a shortcut; empty for a control without a name.
QString KeyToolTip(int controlId);

// Shows and hides the history window wherever the focus is.
inline constexpr const char* kHistoryShortcut = "Ctrl+H";

// The help page: every shortcut, one per line.
QString KeysHelpText();

}  // namespace kelvora
