// Blanks around a part of a formula belong to neither side: "2/(x+1) = 1" has the sides
// "2/(x+1)" and "1".
#pragma once

#include <string>

namespace abacor {

inline std::wstring TrimBlanks(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) return L"";
    return text.substr(first, text.find_last_not_of(L' ') - first + 1);
}

}  // namespace abacor
