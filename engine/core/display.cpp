#include "core/display.h"

#include "core/engine_state.h"
#include "core/number_format.h"

namespace abacor {

std::wstring ReadDisplay(KvWindow* display) { return display ? display->text(kDisplayCapacity) : std::wstring(); }

double ReadDisplayNumber(KvWindow* display) { return ReadLeadingNumber(ReadDisplay(display)); }

bool ShowOnDisplay(KvWindow* display, const std::wstring& text) {
    if (text.size() > kDisplayCapacity) return false;
    if (display) display->setText(text);
    return true;
}

void MarkResultShown() {
    Engine().NewNumber = true;
    Engine().ResultShown = true;
}

}  // namespace abacor
