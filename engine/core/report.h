// Pieces shared by every step report: the writer that owns the frame lines, headings and
// line ends, and the number texts.
#pragma once

#include <string>
#include <string_view>

namespace abacor {

// Builds a report line by line. Every line gets the report's line end ("\r\n"); sections
// open with a heading line from texts.h, their lines start with "│ ", and they close with
// the closing line.
class ReportWriter {
public:
    ReportWriter() = default;
    // Continues a report that is already partly written.
    explicit ReportWriter(std::wstring start) : text_(std::move(start)) {}

    // Rule, "  " + title, rule.
    ReportWriter& Title(std::wstring_view title);
    // The rule line alone.
    ReportWriter& Rule();
    // A line outside any section, as given.
    ReportWriter& Text(std::wstring_view line);
    // An empty line.
    ReportWriter& Blank();
    // A section's heading line, verbatim.
    ReportWriter& Open(std::wstring_view heading);
    // "│ " + line.
    ReportWriter& Line(std::wstring_view line);
    // A section's empty line: "│".
    ReportWriter& Gap();
    // The closing line; most sections leave an empty line after it.
    ReportWriter& Close(bool blankAfter = true);
    // Blank line, rule, two blanks and text::kSolvedBanner, rule.
    ReportWriter& Banner();
    // Text that already has its line ends (a part written by another writer).
    ReportWriter& Append(std::wstring_view lines);

    const std::wstring& str() const { return text_; }
    std::wstring Take() { return std::move(text_); }

private:
    ReportWriter& End();
    std::wstring text_;
};

// The report's line end.
inline constexpr const wchar_t* kLineEnd = L"\r\n";

// "%.10g" with the trailing-zero rule.
std::wstring Ng(double value);
// "%.10f" with the trailing-zero rule (a magnitude too large for a number buffer falls
// back to "%.10g").
std::wstring Nf(double value);
// FormatNumber for a 32-character answer field, faithfully (FormatFaithfully): -0 is 0,
// and a root that would show as 0 or in a longer text is given as "%.10g".
std::wstring FormatAnswer(double value);
// A side's value in a substitution check, in the same field: rounding noise of a root
// (4e-16) shows as the 0 it stands for, never as -0; a longer text is given as "%.10g".
std::wstring FormatCheckValue(double value);

}  // namespace abacor
