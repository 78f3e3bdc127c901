#include "core/steps_window.h"

#include "abacor.h"
#include "core/engine_state.h"
#include "core/texts.h"

namespace abacor {

namespace {

constexpr int kStepsWidth = 450;
constexpr int kStepsHeight = 550;

KvTextWindowSpec StepsWindowSpec() {
    return {text::kStepsTitle, kStepsWidth, kStepsHeight, KvFont{L"Consolas", 16, 400}, Engine().StepsLog};
}

// Integer division truncates toward zero, so a window wider than its owner still
// lands half its overhang to the left.
void CentreOver(KvWindow& window, const KvWindow& owner) {
    const KvRect o = owner.screenRect();
    const KvRect w = window.screenRect();
    const int x = o.left + ((o.right - o.left) - (w.right - w.left)) / 2;
    const int y = o.top + ((o.bottom - o.top) - (w.bottom - w.top)) / 2;
    window.move(x, y);
}

// An open Steps window only gets the current report and comes to the front.
int RefreshOpenWindow(KvDesktop& desktop) {
    EngineState& engine = Engine();
    if (engine.StepsEdit) engine.StepsEdit->setText(engine.StepsLog);
    return desktop.bringToFront(engine.StepsWindowHandle) ? 1 : 0;
}

}  // namespace

void SetStepsLog(std::wstring report) { Engine().StepsLog = std::move(report); }

const std::wstring& StepsLog() { return Engine().StepsLog; }

int ShowSteps(KvWindow* owner) {
    EngineState& engine = Engine();
    if (!owner) owner = engine.MainWindow;
    if (!owner) return 0;
    KvDesktop& desktop = owner->desktop();
    if (engine.StepsWindowHandle && desktop.windowExists(engine.StepsWindowHandle)) return RefreshOpenWindow(desktop);
    engine.StepsClassRegistered = true;
    const KvTextWindow created = desktop.createTextWindow(owner, StepsWindowSpec());
    engine.StepsWindowHandle = created.window;
    engine.StepsEdit = created.text;
    if (!created.window) return 0;
    CentreOver(*created.window, *owner);
    // Modeless for the user, but this call returns only once the window is closed; the
    // program's own events, and calls back into the engine, run meanwhile.
    desktop.runUntilClosed(created.window);
    engine.StepsWindowHandle = nullptr;
    engine.StepsEdit = nullptr;
    return 0;
}

}  // namespace abacor
