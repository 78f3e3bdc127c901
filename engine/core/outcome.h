// What a solver or check made of its input: a status every face can act on, and the text
// the user is shown.
#pragma once

#include <string>

#include "abacor.h"

namespace abacor {

struct Outcome {
    KvStatus status = KV_STATUS_ANSWERED;
    std::wstring text;

    bool answered() const { return status == KV_STATUS_ANSWERED; }
};

inline Outcome Answered(std::wstring text) { return {KV_STATUS_ANSWERED, std::move(text)}; }
inline Outcome Refused(std::wstring text) { return {KV_STATUS_REFUSED, std::move(text)}; }

// Records the status for GetLastStatus.
void RecordStatus(KvStatus status);

}  // namespace abacor
