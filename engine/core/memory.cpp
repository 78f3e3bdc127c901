#include "core/memory.h"

#include <algorithm>

#include "abacor.h"
#include "control_ids.h"
#include "core/display.h"
#include "core/engine_state.h"
#include "core/number_format.h"
#include "core/outcome.h"
#include "core/texts.h"

namespace abacor {

namespace {

void ShowRegister(KvWindow* display, int index) {
    ShowOnDisplay(display, FormatGeneral(Engine().Memory[index]));
    MarkResultShown();
}

// Adds to the newest register, or stores the amount as the first one.
void AddToNewest(double amount) {
    EngineState& s = Engine();
    if (s.MemoryCount >= 1) s.Memory[s.MemoryCount - 1] += amount;
    else MemoryPush(amount);
}

void ToggleMemoryList() {
    KvWindow* list = MainWindowControl(KV_MEMORY_LIST);
    if (!list) return;
    if (list->isVisible()) {
        list->setVisible(false);
        return;
    }
    const EngineState& s = Engine();
    list->clearItems();
    if (s.MemoryCount == 0) list->addItem(text::kMemoryEmpty);
    for (int i = 1; i <= s.MemoryCount; ++i) list->addItem(FormatC("[%d] %.10g", i, s.Memory[i - 1]));
    if (s.MemoryCount > 0) list->setCurrentIndex(s.MemoryCount - 1);
    list->setVisible(true);
    list->raiseWithoutActivating();
}

}  // namespace

bool IsMemoryButton(int buttonId) { return buttonId >= KV_MEMORY_FIRST && buttonId <= KV_MEMORY_LAST; }

void MemoryPush(double value) {
    EngineState& s = Engine();
    if (s.MemoryCount < kMemoryCapacity) {
        s.Memory[s.MemoryCount++] = value;
        return;
    }
    std::rotate(s.Memory.begin(), s.Memory.begin() + 1, s.Memory.end());
    s.Memory.back() = value;
}

void HandleMemoryButton(KvWindow* display, int buttonId) {
    EngineState& s = Engine();
    switch (buttonId) {
        case KV_MEMORY_CLEAR: s.MemoryCount = 0; break;
        case KV_MEMORY_RECALL:
            if (s.MemoryCount >= 1) ShowRegister(display, s.MemoryCount - 1);
            break;
        case KV_MEMORY_ADD: AddToNewest(ReadDisplayNumber(display)); break;
        case KV_MEMORY_SUBTRACT: AddToNewest(-ReadDisplayNumber(display)); break;
        case KV_MEMORY_STORE: MemoryPush(ReadDisplayNumber(display)); break;
        case KV_MEMORY_SHOW_LIST: ToggleMemoryList(); break;
        default: return;
    }
    RecordStatus(KV_STATUS_ANSWERED);
}

int SelectFromMemoryList(KvWindow* display) {
    KvWindow* list = MainWindowControl(KV_MEMORY_LIST);
    if (!list) return 0;
    const int selected = list->currentIndex();
    if (Engine().MemoryCount > 0 && selected >= 0 && selected < Engine().MemoryCount) ShowRegister(display, selected);
    const bool wasVisible = list->isVisible();
    list->setVisible(false);
    return wasVisible ? 1 : 0;
}

}  // namespace abacor
