#include "core/report.h"

#include "core/number_format.h"
#include "core/texts.h"

namespace abacor {

namespace {
constexpr std::size_t kAnswerBufferText = 31;
}  // namespace

ReportWriter& ReportWriter::End() {
    text_ += kLineEnd;
    return *this;
}

ReportWriter& ReportWriter::Title(std::wstring_view title) {
    Rule();
    text_ += L"  ";
    text_ += title;
    End();
    return Rule();
}

ReportWriter& ReportWriter::Rule() { return Text(text::kReportRule); }

ReportWriter& ReportWriter::Text(std::wstring_view line) {
    text_ += line;
    return End();
}

ReportWriter& ReportWriter::Blank() { return End(); }

ReportWriter& ReportWriter::Open(std::wstring_view heading) { return Text(heading); }

ReportWriter& ReportWriter::Line(std::wstring_view line) {
    text_ += L"│ ";
    text_ += line;
    return End();
}

ReportWriter& ReportWriter::Gap() { return Text(L"│"); }

ReportWriter& ReportWriter::Close(bool blankAfter) {
    Text(text::kSectionClose);
    return blankAfter ? Blank() : *this;
}

ReportWriter& ReportWriter::Banner() { return Blank().Title(text::kSolvedBanner); }

ReportWriter& ReportWriter::Append(std::wstring_view lines) {
    text_ += lines;
    return *this;
}

std::wstring Ng(double value) { return TrimTrailingZeros(FormatGeneral(value)); }

std::wstring Nf(double value) { return TrimTrailingZeros(FormatFixed(value, 10, kNumberBufferText)); }

std::wstring FormatAnswer(double value) { return FormatFaithfully(value, FormatNumber, kAnswerBufferText); }

std::wstring FormatCheckValue(double value) {
    const std::wstring text = FormatNumber(value);
    if (ReadsAsZero(text)) return FormatNumber(0.0);
    return text.size() <= kAnswerBufferText ? text : FormatGeneral(value);
}

}  // namespace abacor
