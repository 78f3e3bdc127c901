// Lines of a step report (UTF-8) that a teacher would strike out: a sign written after an
// operator ("+ -", "- -", "* -", "·-"), a negative number raised to a power without
// brackets ("-3²" reads as -(3²)) or a negative exponent after a caret, a coefficient 1
// ("1x") and a division by 1 ("/ 1"). Only section lines ("│ ...") are looked at: the
// lines outside them echo what the user typed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace report_lint {

inline std::u32string Decode(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t code = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length && i + k < text.size(); ++k) code = (code << 6) | (text[i + k] & 0x3F);
        out += code;
        i += static_cast<std::size_t>(length);
    }
    return out;
}

inline bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

inline bool IsSuperscriptDigit(char32_t c) {
    return c == U'⁰' || c == U'¹' || c == U'²' || c == U'³' || (c >= U'⁴' && c <= U'⁹');
}

// The minus at `at` is a sign, not an operator: nothing but blanks, or an operator, a
// bracket, "=", a comma or the section frame before it.
inline bool IsSign(const std::u32string& line, std::size_t at) {
    std::size_t i = at;
    while (i > 0 && line[i - 1] == U' ') --i;
    return i == 0 || std::u32string_view(U"│=(,:+-*/·^").find(line[i - 1]) != std::u32string_view::npos;
}

// A negative number (a sign, digits, point) followed by a power.
inline bool HasUnbracketedNegativePower(const std::u32string& line) {
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] != U'-' || !IsDigit(line[i + 1]) || !IsSign(line, i)) continue;
        std::size_t end = i + 1;
        while (end < line.size() && (IsDigit(line[end]) || line[end] == U'.')) ++end;
        if (end < line.size() && (line[end] == U'^' || IsSuperscriptDigit(line[end]))) return true;
    }
    return false;
}

// "1x" as a coefficient (not the end of 11x or 0.1x), or "/ 1" not followed by a digit.
inline bool HasWrittenOne(const std::u32string& line) {
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] != U'1') continue;
        const bool alone = i == 0 || (!IsDigit(line[i - 1]) && line[i - 1] != U'.');
        if (alone && line[i + 1] == U'x') return true;
        const bool divisor = i >= 2 && line.compare(i - 2, 2, U"/ ") == 0;
        if (divisor && !IsDigit(line[i + 1]) && line[i + 1] != U'.') return true;
    }
    return line.ends_with(U"/ 1");
}

inline bool IsFalseLine(std::string_view utf8) {
    const std::u32string line = Decode(utf8);
    if (!line.starts_with(U"│")) return false;
    for (std::u32string_view operatorSign : {U"+ -", U"- -", U"* -", U"*-", U"·-", U"· -", U"^-"}) {
        if (line.find(operatorSign) != std::u32string::npos) return true;
    }
    return HasUnbracketedNegativePower(line) || HasWrittenOne(line);
}

// The report's lines that IsFalseLine finds.
inline std::vector<std::string> FalseLines(const std::string& report) {
    std::vector<std::string> found;
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find('\n', start);
        if (end == std::string::npos) end = report.size();
        const std::string line = report.substr(start, end - start);
        if (IsFalseLine(line)) found.push_back(line);
        start = end + 1;
    }
    return found;
}

}  // namespace report_lint
