// What a screen reader reads for each key and field of the main window: the key's meaning
// in words ("square root"), never its label ("√").
#pragma once

#include <QString>

namespace kelvora {

// The control's accessible name, or an empty text where its own label says it in words.
QString AccessibleName(int controlId);

}  // namespace kelvora
