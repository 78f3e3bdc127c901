// EvaluateExpression on any text, and DEz0 on the same text as a number buffer.
//
// Input: a text header byte (fuzz_support.h), then the text. Texts run a little past the
// evaluator's 1023-character limit so that both sides of it are reached.
#include <cmath>
#include <cstring>
#include <locale.h>
#include <vector>

#include "abacor.h"
#include "core/evaluator.h"
#include "fuzz_support.h"

namespace {

constexpr std::size_t kAcceptedLength = 1023;
constexpr std::size_t kLongestText = kAcceptedLength + 64;
// A function value replaces its call by at most 24 characters ("(%.15g)"), so a text this
// short cannot grow near the limit.
constexpr std::size_t kShortText = 80;

// Bit for bit, with every NaN counting as the same value.
bool Same(double a, double b) {
    if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The program runs under Russian locales whose decimal separator is a comma.
locale_t CommaLocale() {
    static const locale_t russian = [] {
        for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8"}) {
            if (locale_t l = newlocale(LC_ALL_MASK, name, static_cast<locale_t>(nullptr))) return l;
        }
        return static_cast<locale_t>(nullptr);
    }();
    return russian;
}

double EvaluateUnderCommaLocale(const std::wstring& text) {
    if (!CommaLocale()) return EvaluateExpression(text.c_str());
    const locale_t previous = uselocale(CommaLocale());
    const double value = EvaluateExpression(text.c_str());
    uselocale(previous);
    return value;
}

// The reason "=" names goes with the value: a number, an infinity for an overflow, NaN
// for a division by zero and for anything else without a value.
void CheckFault(const std::wstring& seen, double value) {
    const abacor::Evaluated result = abacor::EvaluateWithFault(seen);
    FUZZ_CHECK(Same(result.value, value), L"the reason came with another value: " + seen);
    switch (result.fault) {
        case abacor::Fault::None: FUZZ_CHECK(std::isfinite(value), L"no reason for no number: " + seen); break;
        case abacor::Fault::Overflow: FUZZ_CHECK(std::isinf(value), L"an overflow that is not infinite: " + seen); break;
        default: FUZZ_CHECK(std::isnan(value), L"a reason with a value: " + seen); break;
    }
}

void CheckEvaluation(const std::wstring& text) {
    const double value = EvaluateExpression(text.c_str());
    const std::size_t length = std::wcslen(text.c_str());  // the export reads up to the first NUL
    const std::wstring seen = text.substr(0, length);

    FUZZ_CHECK(!std::isnan(value) || !std::signbit(value), L"NaN with a sign for: " + seen);
    if (length > kAcceptedLength) FUZZ_CHECK(std::isnan(value), L"too long a text gave a value: " + seen);
    FUZZ_CHECK(Same(value, EvaluateExpression(text.c_str())), L"two evaluations differ: " + seen);
    FUZZ_CHECK(Same(value, EvaluateUnderCommaLocale(text)), L"the locale changed the value of: " + seen);

    // One more character can push the rewritten text over the limit; stay well below it.
    // Without "(" nothing is substituted and at most every character gains a "*"; short
    // texts stay short whatever is substituted into them.
    const bool farBelowLimit = seen.find(L'(') == std::wstring::npos ? 2 * (length + 1) <= kAcceptedLength
                                                                    : length <= kShortText;
    if (farBelowLimit) {
        FUZZ_CHECK(Same(value, EvaluateExpression((seen + L" ").c_str())), L"a trailing blank changed: " + seen);
    }
    // Without brackets there is no function call and no implicit product, and at most
    // three operators wait on the stack: one more pair of brackets changes nothing.
    if (length + 2 <= kAcceptedLength && seen.find_first_of(L"()") == std::wstring::npos) {
        FUZZ_CHECK(Same(value, EvaluateExpression((L"(" + seen + L")").c_str())), L"brackets changed: " + seen);
    }
    CheckFault(seen, value);
}

// DEz0 only ever shortens a number text: zeros after the point, then the point.
void CheckTrailingZeroRule(const std::wstring& text) {
    std::vector<wchar_t> buffer(text.begin(), text.end());
    buffer.push_back(L'\0');
    DEz0(buffer.data());
    const std::wstring before(text.c_str());
    const std::wstring after(buffer.data());
    FUZZ_CHECK(after.size() <= before.size() && before.compare(0, after.size(), after) == 0,
               L"DEz0 changed more than the tail of: " + before);
    FUZZ_CHECK(before.empty() || !after.empty(), L"DEz0 removed the first character of: " + before);
    for (std::size_t i = after.size(); i < before.size(); ++i) {
        FUZZ_CHECK(before[i] == L'0' || before[i] == L'.', L"DEz0 removed more than zeros and a point: " + before);
    }
    DEz0(nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const fuzz::TextHeader header = fuzz::ReadHeader(bytes.Byte());
    const std::wstring text =
        fuzz::Repeated(fuzz::Decode(bytes.Rest(), header.encoding), header.repeat, kLongestText);
    CheckEvaluation(text);
    CheckTrailingZeroRule(text);
    FUZZ_CHECK(std::isnan(EvaluateExpression(nullptr)), L"null text");
    return 0;
}
