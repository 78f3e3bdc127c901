// Pieces shared by every step report: the frame lines and the number texts.
#pragma once

#include <string>

namespace abacor {

inline constexpr const wchar_t* kReportRule = L"═══════════════════════════════════\r\n";
// Closes a section; most sections leave an empty line after it.
inline constexpr const wchar_t* kSectionClose = L"└──────────────────────────────────────────────\r\n";
inline constexpr const wchar_t* kSectionCloseBlank = L"└──────────────────────────────────────────────\r\n\r\n";

// "%.10g" with the trailing-zero rule.
std::wstring Ng(double value);
// "%.10f" with the trailing-zero rule (a magnitude too large for a number buffer falls
// back to "%.10g").
std::wstring Nf(double value);
// FormatNumber for a 32-character answer field: a longer text is given as "%.10g".
std::wstring FormatAnswer(double value);

}  // namespace abacor
