// The on-screen keypads: their keys, where they are created, and how the standard and
// scientific keypads follow the window's size. The keys and their labels are the tables
// of control_ids.h; a key's identifier is the code it sends.
#pragma once

#include <vector>

#include <QRect>

namespace kelvora {

class Controls;
class ControlRegistry;

void CreateStandardKeypad(const Controls& controls);
void CreateScientificKeypad(const Controls& controls);
void CreateMemoryButtons(const Controls& controls);
void CreateEquationKeypad(const Controls& controls);
void CreateInequalityKeypad(const Controls& controls);

struct Placement {
    int controlId;
    QRect rect;
};

// Where the keys, the display and the memory row go for a client area of this size.
std::vector<Placement> StandardLayout(int clientWidth, int clientHeight);
std::vector<Placement> ScientificLayout(int clientWidth, int clientHeight);

// Every key and field of every mode in the order the layouts show them: rows from the
// top, left to right. Tab follows it; hidden controls are skipped.
std::vector<int> FocusOrder();

// Moves the existing controls; placements of controls that do not exist are skipped.
void Apply(const std::vector<Placement>& placements, const ControlRegistry& registry);

}  // namespace kelvora
