#include "core/memory.h"

#include <algorithm>

#include "abacor.h"
#include "core/engine_state.h"
#include "core/keypad.h"
#include "core/number_format.h"

namespace abacor {

namespace {

enum MemoryButton { kClear = 1600, kRecall = 1601, kAdd = 1602, kSubtract = 1603, kStore = 1604, kList = 1605 };

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
    KvWindow* list = MainWindowControl(kMemoryListId);
    if (!list) return;
    if (list->isVisible()) {
        list->setVisible(false);
        return;
    }
    const EngineState& s = Engine();
    list->clearItems();
    if (s.MemoryCount == 0) list->addItem(L"Память пуста");
    for (int i = 1; i <= s.MemoryCount; ++i) list->addItem(FormatC("[%d] %.10g", i, s.Memory[i - 1]));
    if (s.MemoryCount > 0) list->setCurrentIndex(s.MemoryCount - 1);
    list->setVisible(true);
    list->raiseWithoutActivating();
}

}  // namespace

bool IsMemoryButton(int buttonId) { return buttonId >= kClear && buttonId <= kList; }

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
        case kClear: s.MemoryCount = 0; break;
        case kRecall:
            if (s.MemoryCount >= 1) ShowRegister(display, s.MemoryCount - 1);
            break;
        case kAdd: AddToNewest(ReadDisplayNumber(display)); break;
        case kSubtract: AddToNewest(-ReadDisplayNumber(display)); break;
        case kStore: MemoryPush(ReadDisplayNumber(display)); break;
        case kList: ToggleMemoryList(); break;
        default: break;
    }
}

}  // namespace abacor

using abacor::Engine;

extern "C" {

int ProcessMemoryComboSelect(KvWindow* display) {
    KvWindow* list = abacor::MainWindowControl(abacor::kMemoryListId);
    if (!list) return 0;
    const int selected = list->currentIndex();
    if (Engine().MemoryCount > 0 && selected >= 0 && selected < Engine().MemoryCount) {
        abacor::ShowRegister(display, selected);
    }
    const bool wasVisible = list->isVisible();
    list->setVisible(false);
    return wasVisible ? 1 : 0;
}

double GetResult(void) { return Engine().LastResult; }

void ResetCalculator(void) {
    abacor::EngineState& s = Engine();
    s.PendingOp = abacor::kNoPendingOp;
    s.StoredOperand = 0;
    s.LastResult = 0;
    s.NewNumber = true;
}

}  // extern "C"
