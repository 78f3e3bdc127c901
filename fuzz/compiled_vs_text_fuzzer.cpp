// A graph formula compiled (CompileFormula) against the evaluator on its written-in text
// (EvaluateExpression), bit for bit, on a small grid of any coordinates, with and without
// KV_FORMULA_KEEP_NAN (which changes nothing); the grid against single points always.
//
// Input: a text header byte (fuzz_support.h) whose target bits choose x alone or x and y
// and the significant digits; then three x and two y coordinates, each a mode byte and
// eight bytes (bit 7 of the first mode byte adds KV_FORMULA_KEEP_NAN);
// then the formula.
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <locale.h>
#include <string>
#include <vector>

#include "abacor.h"
#include "fuzz_support.h"

namespace {

constexpr std::size_t kLongestText = 1100;
// The longest text the evaluator takes. A formula is read once, not its written-in text:
// when only the written-in text is longer, the text is no reference.
constexpr std::size_t kAcceptedLength = 1023;
constexpr int kDigits[] = {10, 15, 10, 15, 1, 6, 12, 17};

// Mostly coordinates a graph has, sometimes any double at all.
double Coordinate(fuzz::Bytes& bytes) {
    const std::uint8_t mode = bytes.Byte();
    const auto low = static_cast<std::uint32_t>(bytes.Int32());
    const auto high = static_cast<std::uint32_t>(bytes.Int32());
    const std::uint64_t bits = (static_cast<std::uint64_t>(high) << 32) | low;
    switch (mode % 4) {
        case 0: return std::bit_cast<double>(bits);
        case 1: return static_cast<double>(static_cast<std::int32_t>(low)) / 1000;
        case 2: return static_cast<double>(static_cast<std::int16_t>(low & 0xFFFF)) / (1 + (high & 0xFF));
        default: return static_cast<double>(static_cast<std::int32_t>(low)) * std::ldexp(1.0, static_cast<int>(high % 200) - 100);
    }
}

std::wstring Printed(double value, int digits) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const locale_t previous = uselocale(c);
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    uselocale(previous);
    return std::wstring(text, text + std::strlen(text));
}

// The graph's text: every x (and y) but the one in "exp" as "(value)".
std::wstring WrittenIn(const std::wstring& formula, int variables, int digits, double x, double y) {
    std::wstring text;
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const wchar_t c = formula[i];
        if (formula.compare(i, 3, L"exp") == 0) {
            text += L"exp";
            i += 2;
        } else if ((variables & KV_FORMULA_X) && (c == L'x' || c == L'X')) {
            text += L"(" + Printed(x, digits) + L")";
        } else if ((variables & KV_FORMULA_Y) && (c == L'y' || c == L'Y')) {
            text += L"(" + Printed(y, digits) + L")";
        } else {
            text += c;
        }
    }
    return text;
}

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

std::wstring Describe(const std::wstring& text, double got, double expected) {
    char values[96];
    std::snprintf(values, sizeof values, ": compiled %.17g, text %.17g", got, expected);
    return text + std::wstring(values, values + std::strlen(values));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const fuzz::TextHeader header = fuzz::ReadHeader(bytes.Byte());
    const int variables = (header.targetBits & 1) ? KV_FORMULA_X | KV_FORMULA_Y : KV_FORMULA_X;
    const int digits = kDigits[(header.targetBits >> 1) & 7];
    const bool keepNaN = size > 1 && (data[1] & 0x80);
    std::vector<double> xs, ys;
    for (int i = 0; i < 3; ++i) xs.push_back(Coordinate(bytes));
    for (int i = 0; i < 2; ++i) ys.push_back(Coordinate(bytes));
    const std::wstring decoded =
        fuzz::Repeated(fuzz::Decode(bytes.Rest(), header.encoding), header.repeat, kLongestText);
    const std::wstring formula(decoded.c_str());  // what a C caller can pass

    KvFormula* compiled = CompileFormula(formula.c_str(), variables | (keepNaN ? KV_FORMULA_KEEP_NAN : 0), digits);
    FUZZ_CHECK(compiled != nullptr, L"not compiled: " + formula);
    std::vector<KvCoordinate> columns, rows;
    for (const double x : xs) columns.push_back(RoundCoordinate(x, digits));
    for (const double y : ys) rows.push_back(RoundCoordinate(y, digits));
    std::vector<double> grid(xs.size() * ys.size());
    EvaluateFormulaGrid(compiled, columns.data(), static_cast<int>(columns.size()), rows.data(),
                        static_cast<int>(rows.size()), grid.data());
    for (std::size_t r = 0; r < ys.size(); ++r) {
        for (std::size_t c = 0; c < xs.size(); ++c) {
            const std::wstring text = WrittenIn(formula, variables, digits, xs[c], ys[r]);
            const double expected = EvaluateExpression(text.c_str());
            const double cell = grid[r * xs.size() + c];
            const double point = EvaluateFormula(compiled, columns[c], rows[r]);
            FUZZ_CHECK(Bits(cell) == Bits(point), L"grid and point: " + Describe(text, cell, point));
            if (text.size() <= kAcceptedLength || formula.size() > kAcceptedLength) {
                FUZZ_CHECK(Bits(cell) == Bits(expected), L"grid: " + Describe(text, cell, expected));
            }
        }
    }
    ReleaseFormula(compiled);
    return 0;
}
