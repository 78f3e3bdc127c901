#include "core/report.h"

#include "core/number_format.h"

namespace abacor {

namespace {
constexpr std::size_t kNumberBufferText = 63;
constexpr std::size_t kAnswerBufferText = 31;
}  // namespace

std::wstring Ng(double value) { return TrimTrailingZeros(FormatGeneral(value)); }

std::wstring Nf(double value) { return TrimTrailingZeros(FormatFixed(value, 10, kNumberBufferText)); }

std::wstring FormatAnswer(double value) {
    std::wstring text = FormatNumber(value);
    return text.size() <= kAnswerBufferText ? text : FormatGeneral(value);
}

}  // namespace abacor
