// The fraction line: any text in KV_FRACTION_LINE, then the "=" of the fractions
// panel (KV_FRACTION_SOLVE).
//
// Input: a text header byte (fuzz_support.h), then the text. With bit 4 of the header set
// the text holds two lines, separated by U+001F, solved one after the other on the same
// panel (what the first left shown must not leak into the second).
#include <array>
#include <optional>
#include <string>

#include "abacor.h"
#include "fuzz_support.h"

namespace {

constexpr int kLineId = KV_FRACTION_LINE;
constexpr int kWholeId = KV_FRACTION_WHOLE;
constexpr int kNumeratorId = KV_FRACTION_NUMERATOR;
constexpr int kDenominatorId = KV_FRACTION_DENOMINATOR;
constexpr std::size_t kLineCapacity = 255;

constexpr std::array<const wchar_t*, 6> kCheckMessages = {
    abacor::text::kEmptyLine,   abacor::text::kForeignCharacters, abacor::text::kDoubledOperator,
    abacor::text::kZeroDivisor, abacor::text::kNotComputable,     abacor::text::kUnbalancedBrackets,
};
constexpr std::array<const wchar_t*, 2> kResultMessages = {abacor::text::kDivisionByZero, abacor::text::kTooLarge};

bool IsOneOf(const std::wstring& text, std::span<const wchar_t* const> set) {
    for (const wchar_t* item : set) {
        if (text == item) return true;
    }
    return false;
}

// "%lld": an optional minus and digits, no leading zero.
std::optional<long long> IntegerOf(const std::wstring& text) {
    const std::size_t digits = text.starts_with(L'-') ? 1 : 0;
    if (text.size() == digits || text.size() > 20) return std::nullopt;
    if (text[digits] == L'0' && text.size() > digits + 1) return std::nullopt;
    for (std::size_t i = digits; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    }
    try {
        return std::stoll(std::wstring(text));
    } catch (...) {
        return std::nullopt;
    }
}

// What the panel shows, as a user reads it.
struct Shown {
    bool wholeVisible;
    bool numeratorVisible;
    bool denominatorVisible;
    std::wstring whole;
    std::wstring numerator;
    std::wstring denominator;

    bool operator==(const Shown&) const = default;
    std::wstring Text() const {
        std::wstring text = wholeVisible ? whole : L"";
        if (numeratorVisible) text += L" " + numerator + L"/" + denominator;
        return text;
    }
};

class FractionRun {
public:
    Shown Solve(const std::wstring& line) {
        app_.Control(kLineId).setText(line);
        ProcessButtonClick(&app_.Display(), KV_FRACTION_SOLVE);
        const Shown shown = Read();
        Check(line, shown);
        return shown;
    }

private:
    Shown Read() {
        headless::Window& whole = app_.Control(kWholeId);
        headless::Window& numerator = app_.Control(kNumeratorId);
        headless::Window& denominator = app_.Control(kDenominatorId);
        return {whole.visibleFlag(),     numerator.visibleFlag(), denominator.visibleFlag(),
                whole.fullText(),        numerator.fullText(),    denominator.fullText()};
    }

    // A field sized to its text, 8 pixels a character and 30 more, 20 high.
    void CheckSized(int id, const std::wstring& context) {
        headless::Window& field = app_.Control(id);
        const KvRect r = field.geometry();
        FUZZ_CHECK(r.right - r.left == 8 * static_cast<int>(field.fullText().size()) + 30, context);
        FUZZ_CHECK(r.bottom - r.top == 20, context);
    }

    void Check(const std::wstring& line, const Shown& shown) {
        const std::wstring context = L"line " + line + L" shows " + shown.Text();
        FUZZ_CHECK(shown.numeratorVisible == shown.denominatorVisible, context);
        FUZZ_CHECK(shown.wholeVisible || shown.numeratorVisible, context);
        FUZZ_CHECK(app_.Display().fullText() == L"0", context);
        fuzz::CheckStepsLog();
        if (shown.wholeVisible) CheckSized(kWholeId, context);
        if (!shown.numeratorVisible) {
            // A message or a whole number.
            const bool message = IsOneOf(shown.whole, kCheckMessages) || IsOneOf(shown.whole, kResultMessages);
            FUZZ_CHECK(message || IntegerOf(shown.whole), context);
            if (line.empty()) FUZZ_CHECK(shown.whole == abacor::text::kEmptyLine, context);
            return;
        }
        CheckSized(kNumeratorId, context);
        CheckSized(kDenominatorId, context);
        const std::optional<long long> numerator = IntegerOf(shown.numerator);
        const std::optional<long long> denominator = IntegerOf(shown.denominator);
        FUZZ_CHECK(numerator && denominator && *denominator > 0 && *numerator != 0, context);
        FUZZ_CHECK(*numerator > -*denominator && *numerator < *denominator, context);
        if (!shown.wholeVisible) return;
        // A mixed number: the sign on the whole part, the fraction beside it.
        const std::optional<long long> whole = IntegerOf(shown.whole);
        FUZZ_CHECK(whole && *whole != 0 && *numerator > 0, context);
        const int x = 8 * static_cast<int>(shown.whole.size()) + 30 + 110;
        FUZZ_CHECK(app_.Control(kNumeratorId).geometry().left == x, context);
        FUZZ_CHECK(app_.Control(kNumeratorId).geometry().top == 140, context);
        FUZZ_CHECK(app_.Control(kDenominatorId).geometry().left == x, context);
        FUZZ_CHECK(app_.Control(kDenominatorId).geometry().top == 170, context);
    }

    fuzz::App app_;
};

bool OnlyBlanks(const std::wstring& text) { return text.find_first_not_of(L' ') == std::wstring::npos; }

// A line that passed the check means the same in one more pair of brackets.
void CheckBracketed(const std::wstring& line, const Shown& shown) {
    const std::wstring seen = line.substr(0, kLineCapacity);
    if (seen.size() + 2 > kLineCapacity || OnlyBlanks(seen)) return;
    if (!shown.numeratorVisible && IsOneOf(shown.whole, kCheckMessages)) return;
    const Shown bracketed = FractionRun().Solve(L"(" + seen + L")");
    FUZZ_CHECK(bracketed.Text() == shown.Text(), L"line " + seen + L" shows " + shown.Text() + L", bracketed " +
                                                     bracketed.Text());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const fuzz::TextHeader header = fuzz::ReadHeader(bytes.Byte());
    const std::wstring text =
        fuzz::Repeated(fuzz::Decode(bytes.Rest(), header.encoding), header.repeat, fuzz::kTextLimit);
    const bool twoLines = (header.targetBits & 1) != 0;
    const std::size_t split = twoLines ? text.find(L'\x1F') : std::wstring::npos;

    Shown first;
    std::wstring firstLine = text.substr(0, split);
    {
        FractionRun run;
        first = run.Solve(firstLine);
        if (split != std::wstring::npos) run.Solve(text.substr(split + 1));
    }
    CheckBracketed(firstLine, first);
    return 0;
}
