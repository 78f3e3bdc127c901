// Shared by the fuzz targets: turning the fuzzer's bytes into operations and texts, a
// main window with every control the engine looks up, and the checks that end a run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "control_ids.h"
#include "core/texts.h"
#include "headless_main_window.h"
#include "headless_platform.h"

namespace fuzz {

// Ends the run with the broken rule and what it was about; libFuzzer keeps the input.
[[noreturn]] void Fail(const char* rule, const std::wstring& detail);

#define FUZZ_CHECK(condition, detail)                                  \
    do {                                                               \
        if (!(condition)) ::fuzz::Fail(#condition, (detail));          \
    } while (false)

// Reads the fuzzer's bytes front to back; past the end every read gives zeros.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ >= size_; }
    std::uint8_t Byte();
    std::int16_t Int16();
    std::int32_t Int32();
    std::span<const std::uint8_t> Take(std::size_t count);
    std::span<const std::uint8_t> Rest() { return Take(size_); }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Texts come in two forms. UTF-8 reaches every character a user can type or paste; it is
// read leniently (overlong forms, surrogates and values up to 31 bits are taken as
// written), and a byte that starts no sequence stands for U+DC80 + its low 7 bits. Raw
// form gives every 32-bit wchar_t value, four bytes (little endian) a character.
enum class Encoding { Utf8, Raw };
std::wstring Decode(std::span<const std::uint8_t> bytes, Encoding encoding);

// The first byte of a text input: bit 0 raw form, bits 1 to 3 how often the text is
// repeated (1, 2, 4, … 128 times) so that short inputs reach the length limits; bits 4
// to 7 are left to the target.
struct TextHeader {
    Encoding encoding = Encoding::Utf8;
    std::size_t repeat = 1;
    std::uint8_t targetBits = 0;  // bits 4 to 7, shifted down
};
TextHeader ReadHeader(std::uint8_t byte);

// The text repeated, cut to at most `limit` characters.
std::wstring Repeated(const std::wstring& text, std::size_t times, std::size_t limit);

// The longest text the engine promises to handle quickly, and what text targets use.
inline constexpr std::size_t kTextLimit = 1024;

// A fresh engine on the main window of headless_main_window.h. Engine state is
// process-wide, so one App at a time.
class App {
public:
    explicit App(bool allLabels = true);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    headless::Window& Control(int id);
    headless::Window& Display() { return window_.display(); }
    headless::Desktop& Desktop() { return window_.desktop(); }
    headless::Window& Main() { return window_.main(); }

private:
    headless::MainWindow window_;
};

// A text that the C library reads as one number, to its last character ("2.5", "-0",
// "1e+20", "nan", "inf").
bool IsNumberText(const std::wstring& text);
// ... and one whose value is finite.
bool IsFiniteNumberText(const std::wstring& text);
// The number of such a text (NaN for anything else).
double NumberOf(const std::wstring& text);
// Equal as the "%.10g" text of `exact` reads back: within its ten significant digits.
bool MatchesTenDigits(double shown, double exact);

// The step report holds nothing, a report (starting with its rule line, ending with a
// line end), or one of the linear-system solver's one-line messages.
void CheckStepsLog();

// Plays key bytes on a panel: a byte below 0xF0 presses key `first + byte % count`
// through `press`, except the panel's solve key (it comes last, and the time limit per
// input is the final solve's); from 0xF0 two more bytes select part of the input.
template <class Press>
void PlayPanelKeys(std::span<const std::uint8_t> keys, headless::Window& input, int first, int count, int solveKey,
                   Press press) {
    Bytes bytes(keys.data(), keys.size());
    while (!bytes.empty()) {
        const std::uint8_t key = bytes.Byte();
        if (key >= 0xF0) {
            const int start = bytes.Byte();
            input.setSelection(start, start + bytes.Byte() % 4);
            continue;
        }
        const int id = first + key % count;
        if (id != solveKey) press(id);
    }
}

// The report's rule line with its line end, as the step log holds it.
inline std::wstring RuleLine() { return std::wstring(abacor::text::kReportRule) + L"\r\n"; }
// A report's first two lines: the rule and the indented title.
inline std::wstring ReportStart(const wchar_t* title) { return RuleLine() + L"  " + title + L"\r\n"; }

// A readable form of a text for failure messages.
std::string Printable(const std::wstring& text);

}  // namespace fuzz
