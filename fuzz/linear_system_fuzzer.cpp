// SolveSystem on any text, then GetSystemResult into buffers of every capacity.
//
// Input: a text header byte (fuzz_support.h), a precision byte, three 16-bit capacities,
// then the text. Each buffer is exactly as long as its capacity says, so that a write past
// it is caught; capacities below 1 get a guarded buffer that must stay untouched.
#include <array>
#include <cwctype>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "abacor.h"
#include "core/engine_state.h"
#include "core/expression_syntax.h"
#include "fuzz_support.h"

namespace {

using abacor::Engine;

const std::wstring kRule = fuzz::RuleLine();
constexpr wchar_t kGuard = L'\x5A5A';
constexpr std::size_t kGuardLength = 8;
constexpr int kLargestAllocated = 1 << 16;

int PrecisionFrom(std::uint8_t byte) {
    static constexpr std::array<int, 8> kPrecisions = {-1, 0, 2, 5, 10, 15, 40, 63};
    return kPrecisions[byte % kPrecisions.size()];
}

// The answer lines of the current report, read through a buffer large enough for all.
std::wstring WholeResult() {
    const std::size_t room = Engine().StepsLog.size() + 1;
    std::vector<wchar_t> buffer(room, kGuard);
    GetSystemResult(buffer.data(), static_cast<int>(room));
    const std::wstring result(buffer.data());
    FUZZ_CHECK(result.size() < room, L"the result fills its whole buffer");
    return result;
}

void CheckCapacity(int capacity, const std::wstring& whole) {
    const std::wstring context = L"capacity " + std::to_wstring(capacity) + L", result " + whole;
    if (capacity < 1) {
        std::array<wchar_t, kGuardLength> guarded;
        guarded.fill(kGuard);
        GetSystemResult(guarded.data(), capacity);
        for (wchar_t c : guarded) FUZZ_CHECK(c == kGuard, context + L": written although there is no room");
        return;
    }
    // A heap buffer of exactly `capacity` characters, whose end AddressSanitizer watches.
    // Capacities too large to allocate get room for the result and its terminator only:
    // nothing beyond those may be written either.
    const std::size_t written = std::min<std::size_t>(whole.size(), static_cast<std::size_t>(capacity) - 1);
    const std::size_t room = capacity <= kLargestAllocated ? static_cast<std::size_t>(capacity) : written + 1;
    const auto buffer = std::make_unique<wchar_t[]>(room);
    std::fill(buffer.get(), buffer.get() + room, kGuard);
    GetSystemResult(buffer.get(), capacity);
    FUZZ_CHECK(buffer[written] == L'\0', context + L": not terminated where it is cut");
    FUZZ_CHECK(whole.compare(0, written, buffer.get(), written) == 0, context + L": a different text");
}

bool IsLatin(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsDecimalDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Whether the letter at `i` is part of a number: a function name before its bracket
// (blanks between them allowed), or the exponent mark of "2e5". Such a side has no
// unknowns if nothing else.
bool IsNumberLetter(const std::wstring& side, std::size_t i) {
    std::size_t end = i;
    while (end < side.size() && IsLatin(side[end])) ++end;
    std::size_t begin = i;
    while (begin > 0 && IsLatin(side[begin - 1])) --begin;
    std::size_t open = end;
    while (open < side.size() && std::wstring_view(L" \t\r\n").find(side[open]) != std::wstring_view::npos) ++open;
    if (open < side.size() && side[open] == L'(') {
        std::string name;
        for (std::size_t k = begin; k < end; ++k) name += static_cast<char>(side[k]);
        for (const auto& function : abacor::syntax::kFunctions) {
            if (function.name != name) continue;
            // A call needs its closing bracket and something between the two.
            int depth = 0;
            for (std::size_t k = open; k < side.size(); ++k) {
                if (side[k] == L'(') ++depth;
                if (side[k] == L')' && --depth == 0) return k > open + 1;
            }
        }
    }
    if ((side[i] != L'e' && side[i] != L'E') || i == 0) return false;
    if (!IsDecimalDigit(side[i - 1]) && side[i - 1] != L'.' && side[i - 1] != L',') return false;
    std::size_t next = i + 1;
    if (next < side.size() && (side[next] == L'+' || side[next] == L'-')) ++next;
    return next < side.size() && IsDecimalDigit(side[next]);
}

// The unknowns of both sides of every equation, in lower case: the system's variables.
std::set<wchar_t> Variables(const std::wstring& text) {
    std::set<wchar_t> letters;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(L';', start), text.size());
        const std::wstring segment = text.substr(start, end - start);
        const std::size_t equals = std::min(segment.find(L'='), segment.size());
        for (const std::wstring& side : {segment.substr(0, equals), segment.substr(std::min(equals + 1, segment.size()))}) {
            for (std::size_t i = 0; i < side.size(); ++i) {
                if (IsLatin(side[i]) && !IsNumberLetter(side, i)) {
                    letters.insert(static_cast<wchar_t>(std::towlower(side[i])));
                }
            }
        }
        start = end + 1;
    }
    return letters;
}

// "  x = 2\n" for every variable, alphabetically, with a finite number.
void CheckAnswer(const std::wstring& text, const std::wstring& result) {
    const std::wstring& report = Engine().StepsLog;
    const std::wstring context = L"system " + text + L" answered " + result;
    if (result.empty()) return;
    FUZZ_CHECK(report.starts_with(fuzz::ReportStart(abacor::text::kLinearSystemTitle)), context);
    const std::wstring answerHeading = std::wstring(abacor::text::kLinearSystemAnswerHeading) + L"\r\n";
    FUZZ_CHECK(report.find(answerHeading) != std::wstring::npos, context + L": an answer without its section");
    std::set<wchar_t> answered;
    wchar_t previous = 0;
    for (std::size_t start = 0; start < result.size();) {
        const std::size_t end = result.find(L'\n', start);
        FUZZ_CHECK(end != std::wstring::npos, context + L": a line without its line feed");
        const std::wstring line = result.substr(start, end - start);
        FUZZ_CHECK(line.size() > 6 && line.starts_with(L"  ") && line.substr(3, 3) == L" = ", context + L": " + line);
        const wchar_t variable = line[2];
        FUZZ_CHECK(variable > previous, context + L": variables out of order");
        FUZZ_CHECK(fuzz::IsFiniteNumberText(line.substr(6)), context + L": value " + line.substr(6));
        answered.insert(variable);
        previous = variable;
        start = end + 1;
    }
    FUZZ_CHECK(answered == Variables(text), context + L": not every variable answered");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const fuzz::TextHeader header = fuzz::ReadHeader(bytes.Byte());
    const int precision = PrecisionFrom(bytes.Byte());
    std::vector<int> capacities = {bytes.Int16(), bytes.Int16(), bytes.Int16()};
    const std::wstring text =
        fuzz::Repeated(fuzz::Decode(bytes.Rest(), header.encoding), header.repeat, fuzz::kTextLimit);

    fuzz::App app;
    SetPrecision(precision);
    FUZZ_CHECK(WholeResult().empty(), L"a result before any solve");
    SolveSystem(nullptr);
    FUZZ_CHECK(Engine().StepsLog == abacor::text::kLinearSystemNoEquations, L"no text");

    SolveSystem(text.c_str());
    fuzz::CheckStepsLog();
    const std::wstring seen(text.c_str());  // the export reads up to the first NUL
    const std::wstring whole = WholeResult();
    CheckAnswer(seen, whole);
    for (int capacity : {0, 1, 2, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        capacities.push_back(capacity);
    }
    for (int capacity : capacities) CheckCapacity(capacity, whole);
    GetSystemResult(nullptr, 16);
    return 0;
}
