#include "core/number_format.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <locale.h>

#include "core/engine_state.h"

namespace abacor {

namespace {

locale_t CLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

class CLocaleScope {
public:
    CLocaleScope() : previous_(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(previous_); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t previous_;
};

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

std::wstring FormatC(const char* format, ...) {
    CLocaleScope scope;
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    std::string out(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
    va_end(args);
    return Widen(out);
}

std::wstring FormatGeneral(double value) { return FormatC("%.10g", value); }

std::wstring FormatFixed(double value, int decimals, std::size_t maxLength) {
    // A precision beyond the limit can never fit; do not let the formatter produce it.
    if (decimals >= 0 && static_cast<std::size_t>(decimals) >= maxLength) return FormatGeneral(value);
    std::wstring text = FormatC("%.*f", decimals, value);
    return text.size() <= maxLength ? text : FormatGeneral(value);
}

std::wstring FormatNumber(double value) {
    const int precision = Engine().Precision;
    if (precision == -1) return TrimTrailingZeros(FormatFixed(value, 10, kNumberBufferText));
    return FormatFixed(value, precision, kNumberBufferText);
}

double WithoutNegativeZero(double value) { return value == 0 ? 0.0 : value; }

bool ReadsAsZero(const std::wstring& text) { return ReadLeadingNumber(text) == 0; }

std::wstring FormatSignificant(double value) { return TrimTrailingZeros(FormatGeneral(WithoutNegativeZero(value))); }

std::wstring FormatFaithfully(double value, std::wstring (*fixed)(double), std::size_t maxLength) {
    if (value == 0) return fixed(0.0);
    std::wstring text = fixed(value);
    return ReadsAsZero(text) || text.size() > maxLength ? FormatSignificant(value) : text;
}

void TrimTrailingZeros(wchar_t* text) {
    const std::size_t length = std::wcslen(text);
    std::size_t point = length;
    for (std::size_t i = length; i-- > 0;) {
        if (text[i] == L'.') {
            point = i;
            break;
        }
    }
    if (point == length) return;
    for (std::size_t i = point + 1; i < length; ++i) {
        if (text[i] < L'0' || text[i] > L'9') return;
    }
    std::size_t end = length;
    while (end > 1 && text[end - 1] == L'0') --end;
    if (end > 1 && text[end - 1] == L'.') --end;
    text[end] = L'\0';
}

std::wstring TrimTrailingZeros(std::wstring text) {
    TrimTrailingZeros(text.data());
    text.resize(std::wcslen(text.c_str()));
    return text;
}

double ReadLeadingNumber(const std::wstring& text, std::size_t* consumed) {
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    const double value = wcstod_l(begin, &end, CLocale());
    if (consumed) *consumed = static_cast<std::size_t>(end - begin);
    return value;
}

double ReadNumberText(const std::wstring& text) { return text.empty() ? 0.0 : ReadLeadingNumber(text); }

}  // namespace abacor
