// The main window in memory: every control the engine reads or writes, by the names of
// control_ids.h, placed as the program places them. kelvora-cli, the fuzz targets and
// the tests build it here so that they all run the engine on the same window.
#pragma once

#include <vector>

#include "control_ids.h"
#include "headless_platform.h"

namespace headless {

struct MainWindowOptions {
    // The program has no labels for the equation panel's rows 3 and 4; the engine must
    // cope either way, and kelvora-cli prints every root with its name.
    bool allRowLabels = true;
};

// Adds control `id` to `main` as the main window has it: its place, visibility and, for
// a sign selector, its items. A control the main window lacks is added plain and visible.
Window& AddMainWindowControl(Window& main, int id);

// The controls the main window has, in the order it creates them.
const std::vector<int>& MainWindowControlIds(MainWindowOptions options = {});

// A desktop with the main window on it; the display shows "0". The engine is not told
// about the window: the caller passes main() to InitFractions.
class MainWindow {
public:
    explicit MainWindow(MainWindowOptions options = {});
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    Desktop& desktop() { return desktop_; }
    Window& main() { return main_; }
    Window& display() { return *display_; }
    // A control of the window; null for one it lacks.
    Window* find(int id) { return static_cast<Window*>(main_.child(id)); }
    // A control the window has.
    Window& control(int id) { return *find(id); }

private:
    Desktop desktop_;
    Window main_;
    Window* display_ = nullptr;
};

}  // namespace headless
