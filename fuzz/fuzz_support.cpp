#include "fuzz_support.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <limits>
#include <locale.h>

#include "abacor.h"
#include "core/engine_state.h"

namespace fuzz {

namespace {

constexpr std::size_t kLongestPrinted = 3000;
const std::wstring kRule = RuleLine();

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool IsScalarValue(wchar_t c) {
    const auto value = static_cast<std::uint32_t>(c);
    return value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF);
}

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The length of the sequence a lead byte starts; 0 for a byte that starts none.
std::size_t SequenceLength(std::uint8_t lead) {
    if (lead < 0x80) return 1;
    if (lead < 0xC0) return 0;
    if (lead < 0xE0) return 2;
    if (lead < 0xF0) return 3;
    if (lead < 0xF8) return 4;
    if (lead < 0xFC) return 5;
    if (lead < 0xFE) return 6;
    return 0;
}

std::wstring DecodeUtf8(std::span<const std::uint8_t> bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::uint8_t lead = bytes[i];
        const std::size_t length = SequenceLength(lead);
        bool whole = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; whole && k < length; ++k) whole = (bytes[i + k] & 0xC0) == 0x80;
        if (!whole) {
            text += static_cast<wchar_t>(0xDC80 | (lead & 0x7F));
            ++i;
            continue;
        }
        std::uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) value = (value << 6) | (bytes[i + k] & 0x3F);
        text += static_cast<wchar_t>(value);
        i += length;
    }
    return text;
}

std::wstring DecodeRaw(std::span<const std::uint8_t> bytes) {
    std::wstring text;
    for (std::size_t i = 0; i + 4 <= bytes.size(); i += 4) {
        const std::uint32_t value = bytes[i] | (bytes[i + 1] << 8) | (bytes[i + 2] << 16) |
                                    (static_cast<std::uint32_t>(bytes[i + 3]) << 24);
        text += static_cast<wchar_t>(value);
    }
    return text;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// "Equation 3 has no =" and its kin: a number between a fixed head and tail.
bool IsNumberedMessage(const std::wstring& text, const std::wstring& tail) {
    const std::wstring head = abacor::text::kLinearSystemEquation;
    if (!StartsWith(text, head) || !EndsWith(text, tail) || text.size() <= head.size() + tail.size()) return false;
    for (std::size_t i = head.size(); i < text.size() - tail.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') return false;
    }
    return true;
}

bool IsSystemMessage(const std::wstring& text) {
    namespace texts = abacor::text;
    return text == texts::kLinearSystemNoEquations || text == texts::kLinearSystemNoVariables ||
           text == texts::kLinearSystemCommaSeparator ||
           IsNumberedMessage(text, texts::kLinearSystemNoEquals) ||
           IsNumberedMessage(text, texts::kLinearSystemNotLinear) ||
           IsNumberedMessage(text, texts::kLinearSystemRightSide) ||
           IsNumberedMessage(text, texts::kLinearSystemTooLarge) ||
           IsNumberedMessage(text, texts::kLinearSystemTooComplex) ||
           IsNumberedMessage(text, texts::kLinearSystemZeroDivisor);
}

}  // namespace

void Fail(const char* rule, const std::wstring& detail) {
    std::fprintf(stderr, "\n==== Kelvora invariant broken: %s\n==== %s\n", rule, Printable(detail).c_str());
    std::fflush(stderr);
    std::abort();
}

std::uint8_t Bytes::Byte() { return at_ < size_ ? data_[at_++] : 0; }

std::int16_t Bytes::Int16() {
    const std::uint16_t low = Byte();
    const std::uint16_t high = Byte();
    return static_cast<std::int16_t>(low | (high << 8));
}

std::int32_t Bytes::Int32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(Byte()) << (8 * i);
    return static_cast<std::int32_t>(value);
}

std::span<const std::uint8_t> Bytes::Take(std::size_t count) {
    const std::size_t available = at_ < size_ ? size_ - at_ : 0;
    const std::size_t n = count < available ? count : available;
    std::span<const std::uint8_t> taken(data_ + at_, n);
    at_ += n;
    return taken;
}

std::wstring Decode(std::span<const std::uint8_t> bytes, Encoding encoding) {
    return encoding == Encoding::Raw ? DecodeRaw(bytes) : DecodeUtf8(bytes);
}

TextHeader ReadHeader(std::uint8_t byte) {
    TextHeader header;
    header.encoding = (byte & 1) != 0 ? Encoding::Raw : Encoding::Utf8;
    header.repeat = std::size_t{1} << ((byte >> 1) & 7);
    header.targetBits = static_cast<std::uint8_t>(byte >> 4);
    return header;
}

std::wstring Repeated(const std::wstring& text, std::size_t times, std::size_t limit) {
    std::wstring out;
    for (std::size_t i = 0; i < times && out.size() < limit; ++i) out += text;
    if (out.size() > limit) out.resize(limit);
    return out;
}

App::App(bool allLabels) : window_(headless::MainWindowOptions{allLabels}) {
    abacor::Engine() = abacor::EngineState{};
    InitFractions(&window_.main());
}

App::~App() {
    InitFractions(nullptr);
    abacor::Engine() = abacor::EngineState{};
}

headless::Window& App::Control(int id) {
    headless::Window* control = window_.find(id);
    if (!control) Fail("control exists", L"control " + std::to_wstring(id));
    return *control;
}

bool IsNumberText(const std::wstring& text) {
    if (text.empty() || std::iswspace(static_cast<wint_t>(text.front()))) return false;
    wchar_t* end = nullptr;
    wcstod_l(text.c_str(), &end, CLocale());
    return end == text.c_str() + text.size();
}

bool IsFiniteNumberText(const std::wstring& text) { return IsNumberText(text) && std::isfinite(NumberOf(text)); }

double NumberOf(const std::wstring& text) {
    if (!IsNumberText(text)) return std::numeric_limits<double>::quiet_NaN();
    return wcstod_l(text.c_str(), nullptr, CLocale());
}

bool MatchesTenDigits(double shown, double exact) {
    if (std::isnan(shown) || std::isnan(exact)) return std::isnan(shown) && std::isnan(exact);
    if (std::isinf(shown) || std::isinf(exact)) return shown == exact;
    return std::fabs(shown - exact) <= 1e-9 * std::fabs(exact) + 16 * std::numeric_limits<double>::denorm_min();
}

void CheckStepsLog() {
    const std::wstring& log = abacor::Engine().StepsLog;
    if (log.empty() || IsSystemMessage(log)) return;
    FUZZ_CHECK(StartsWith(log, kRule), L"report: " + log);
    FUZZ_CHECK(EndsWith(log, L"\r\n"), L"report: " + log);
}

std::string Printable(const std::wstring& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && out.size() < kLongestPrinted; ++i) {
        const wchar_t c = text[i];
        const auto value = static_cast<std::uint32_t>(c);
        if (c >= 0x20 && c < 0x7F && c != L'\\') {
            out += static_cast<char>(c);
        } else if (c == L'\\') {
            out += "\\\\";
        } else if (IsScalarValue(c) && value >= 0xA0) {
            AppendUtf8(out, value);
        } else {
            char escaped[16];
            std::snprintf(escaped, sizeof escaped, "\\u{%X}", value);
            out += escaped;
        }
    }
    if (out.size() >= kLongestPrinted) out += "…";
    return out;
}

}  // namespace fuzz
