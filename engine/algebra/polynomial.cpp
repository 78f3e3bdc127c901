#include "algebra/polynomial.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "core/number_format.h"

namespace abacor {

namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

bool IsZero(double c) { return std::fabs(c) < kZeroTolerance; }

// Calls visit(letter, exponent) for every letter of a key and the digit run after it;
// nothing for "_const".
template <class Visit>
void ForEachPair(const MonomialKey& key, Visit visit) {
    if (key == kConstKey) return;
    std::size_t i = 0;
    while (i < key.size()) {
        const wchar_t letter = key[i++];
        visit(letter, ReadExponentDigits(key, i));
    }
}

// A key read into exponents of x, y and z; the product of keys is computed on these so
// that the inner loop of a multiplication builds no strings.
struct Exponents {
    bool constant = false;
    std::array<int, 3> xyz{};
    bool operator==(const Exponents&) const = default;
};

Exponents DecodeKey(const MonomialKey& key) {
    Exponents e;
    if (key == kConstKey) {
        e.constant = true;
        return e;
    }
    ForEachPair(key, [&e](wchar_t letter, int exponent) {
        if (letter >= L'x' && letter <= L'z') {
            int& slot = e.xyz[static_cast<std::size_t>(letter - L'x')];
            slot = AddExponents(slot, exponent);
        }
    });
    return e;
}

Exponents MultiplyKeys(const Exponents& a, const Exponents& b) {
    if (a.constant) return b;
    if (b.constant) return a;
    Exponents product;
    for (std::size_t i = 0; i < 3; ++i) product.xyz[i] = AddExponents(a.xyz[i], b.xyz[i]);
    return product;
}

void AppendInt(std::wstring& text, int value) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

using KeyChars = std::array<char, 40>;  // three letters and three ints

// The text of a variable key, "x<e>y<e>z<e>", into chars; its length. MakeKey and the
// ordering of keys without strings both write it here.
std::size_t WriteKeyText(const std::array<int, 3>& xyz, KeyChars& chars) {
    char* end = chars.data();
    for (std::size_t i = 0; i < 3; ++i) {
        *end++ = static_cast<char>('x' + i);
        end = std::to_chars(end, chars.data() + chars.size(), xyz[i]).ptr;
    }
    return static_cast<std::size_t>(end - chars.data());
}

// The text of a key on the stack, for ordering keys the way Polynomial does without
// building strings.
class KeyText {
public:
    explicit KeyText(const Exponents& e) {
        if (e.constant) {
            constexpr std::string_view kConst = "_const";
            size_ = kConst.copy(chars_.data(), kConst.size());
        } else {
            size_ = WriteKeyText(e.xyz, chars_);
        }
    }
    bool operator<(const KeyText& other) const {
        return std::string_view(chars_.data(), size_) < std::string_view(other.chars_.data(), other.size_);
    }

private:
    KeyChars chars_;
    std::size_t size_;
};

// A polynomial as a vector in key order, with its keys already read; products of many
// terms (powers above all) work on this form and build key texts once per result term.
struct Term {
    MonomialKey key;
    Exponents exponents;
    double coefficient;
};
using Terms = std::vector<Term>;

Terms ToTerms(const Polynomial& p) {
    Terms terms;
    terms.reserve(p.size());
    for (const auto& [key, c] : p) terms.push_back({key, DecodeKey(key), c});
    return terms;
}

Polynomial ToPolynomial(Terms&& terms) {
    Polynomial p;
    for (Term& t : terms) p.emplace_hint(p.end(), std::move(t.key), t.coefficient);
    return p;
}

struct ExponentHash {
    std::size_t operator()(const std::array<int, 3>& e) const {
        std::uint64_t h = static_cast<std::uint32_t>(e[0]);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(e[1]);
        h = h * 0x9E3779B97F4A7C15ull ^ static_cast<std::uint32_t>(e[2]);
        return static_cast<std::size_t>(h ^ (h >> 29));
    }
};

// Takes the cost from the budget; false (and nothing taken) when it does not cover it.
bool Spend(WorkBudget& budget, long long cost) {
    if (cost > budget.remaining) return false;
    budget.remaining -= cost;
    return true;
}

// Every product of a term of A with a term of B, A and B walked in key order, summed per
// key; zero sums are left out.
LimitHit MultiplyTerms(const Terms& a, const Terms& b, WorkBudget& budget, Terms& product) {
    product.clear();
    const long long pairs = static_cast<long long>(a.size()) * static_cast<long long>(b.size());
    if (!Spend(budget, pairs * kPairCost + kOperationCost)) return LimitHit::kTooMuchWork;

    std::optional<double> constant;
    std::vector<std::pair<std::array<int, 3>, double>> sums;
    std::unordered_map<std::array<int, 3>, std::size_t, ExponentHash> slots;
    for (const Term& ta : a) {
        for (const Term& tb : b) {
            const Exponents e = MultiplyKeys(ta.exponents, tb.exponents);
            const double c = ta.coefficient * tb.coefficient;
            if (e.constant) {
                constant = constant.value_or(0.0) + c;
                continue;
            }
            const auto [slot, added] = slots.try_emplace(e.xyz, sums.size());
            if (added) {
                if (sums.size() >= kMaxTerms) return LimitHit::kTooManyTerms;
                sums.emplace_back(e.xyz, 0.0);
            }
            sums[slot->second].second += c;
        }
    }
    if (!Spend(budget, static_cast<long long>(sums.size()) * kTermCost)) return LimitHit::kTooMuchWork;
    if (constant && !IsZero(*constant)) product.push_back({kConstKey, Exponents{true, {}}, *constant});
    for (const auto& [xyz, c] : sums) {
        if (!IsZero(c)) product.push_back({MakeKey(xyz[0], xyz[1], xyz[2]), Exponents{false, xyz}, c});
    }
    std::sort(product.begin(), product.end(), [](const Term& l, const Term& r) { return l.key < r.key; });
    return LimitHit::kNone;
}

// The entry of the divisor that leads the division: greatest positive x exponent,
// the first in key order on ties.
std::optional<std::pair<int, double>> DivisorLead(const Polynomial& divisor) {
    std::optional<std::pair<int, double>> lead;
    for (const auto& [key, c] : divisor) {
        if (key == kConstKey) continue;
        const int e = VariableExponent(key, L'x');
        if (e > 0 && (!lead || e > lead->first)) lead = std::make_pair(e, c);
    }
    return lead;
}

LimitHit DivideByConstant(const Polynomial& dividend, const Polynomial& divisor, Polynomial& quotient) {
    const double d = Coefficient(divisor, kConstKey);
    if (IsZero(d)) return LimitHit::kNone;
    if (!HasVariableKey(dividend)) {
        quotient[kConstKey] = Coefficient(dividend, kConstKey) / d;
        return LimitHit::kNone;
    }
    quotient = dividend;
    for (auto& entry : quotient) entry.second /= d;
    return LimitHit::kNone;
}

struct KeyHash {
    std::size_t operator()(const Exponents& e) const { return ExponentHash{}(e.xyz) ^ (e.constant ? 1u : 0u); }
};

// The remainder of a long division, keyed by exponents so that its rounds build no key
// texts.
using Remainder = std::unordered_map<Exponents, double, KeyHash>;

// The non-zero entry of the remainder with the greatest x exponent (0 counts), first in
// key order on ties; exponent 0 and coefficient 0 when there is none.
std::pair<int, double> RemainderLead(const Remainder& remainder) {
    const Exponents* leader = nullptr;
    std::pair<int, double> lead{0, 0.0};
    for (const auto& [key, c] : remainder) {
        if (IsZero(c)) continue;
        const int e = key.constant ? 0 : key.xyz[0];
        if (!leader || e > lead.first || (e == lead.first && KeyText(key) < KeyText(*leader))) {
            leader = &key;
            lead = {e, c};
        }
    }
    return lead;
}

// The divisor's terms grouped by the key their product with a quotient term gets: each
// group's base key and its coefficients in key order. A constant quotient term keeps every
// key apart; any other one turns "_const" into the key x⁰y⁰z⁰, which may meet.
struct DivisorGroups {
    std::vector<Exponents> bases;
    std::vector<std::vector<double>> coefficients;
};

DivisorGroups GroupDivisor(const Polynomial& divisor, bool constantTerm) {
    DivisorGroups groups;
    std::unordered_map<Exponents, std::size_t, KeyHash> slots;
    for (const auto& [key, c] : divisor) {
        Exponents base = DecodeKey(key);
        if (!constantTerm && base.constant) base = Exponents{};
        const auto [slot, added] = slots.try_emplace(base, groups.bases.size());
        if (added) {
            groups.bases.push_back(base);
            groups.coefficients.emplace_back();
        }
        groups.coefficients[slot->second].push_back(c);
    }
    return groups;
}

// R := R - (term * D), the product's zero terms left out; false when R came out unchanged.
bool SubtractMultiple(Remainder& remainder, const Exponents& term, double factor, const DivisorGroups& divisor) {
    bool changed = false;
    for (std::size_t g = 0; g < divisor.bases.size(); ++g) {
        double product = 0.0;
        for (const double c : divisor.coefficients[g]) product += factor * c;
        if (IsZero(product)) continue;
        const auto [it, inserted] = remainder.try_emplace(MultiplyKeys(term, divisor.bases[g]), 0.0);
        const double before = it->second;
        it->second -= product;
        changed = changed || inserted || it->second != before;
    }
    std::erase_if(remainder, [](const auto& entry) { return IsZero(entry.second); });
    return changed;
}

LimitHit LongDivision(const Polynomial& dividend, const Polynomial& divisor, WorkBudget& budget,
                      Polynomial& quotient) {
    const auto lead = DivisorLead(divisor);
    if (!lead || IsZero(lead->second)) return LimitHit::kNone;
    const auto [u, h] = *lead;
    // One round per quotient term at the least: a longer quotient is not started.
    if (DegreeInX(dividend) - u >= kMaxDivisionRounds) return LimitHit::kTooMuchWork;

    Remainder remainder;
    for (const auto& [key, c] : dividend) remainder[DecodeKey(key)] += c;
    std::optional<DivisorGroups> forConstant;
    std::optional<DivisorGroups> forVariable;
    LimitHit hit = LimitHit::kNone;
    for (int round = 0;; ++round) {
        const auto [j, k] = RemainderLead(remainder);
        if (j < u || (j == 0 && IsZero(k))) break;
        if (round == kMaxDivisionRounds) {
            hit = LimitHit::kDivisionRounds;
            break;
        }
        const long long cost = static_cast<long long>(remainder.size()) * kPairCost +
                               static_cast<long long>(divisor.size()) * kTermCost + kOperationCost;
        if (!Spend(budget, cost)) {
            hit = LimitHit::kTooMuchWork;
            break;
        }
        const bool constantTerm = j == u;
        std::optional<DivisorGroups>& groups = constantTerm ? forConstant : forVariable;
        if (!groups) groups = GroupDivisor(divisor, constantTerm);
        quotient[constantTerm ? kConstKey : MakeKey(j - u, 0, 0)] += k / h;
        if (!SubtractMultiple(remainder, Exponents{constantTerm, {j - u, 0, 0}}, k / h, *groups)) break;
    }
    RemoveZeroTerms(quotient);
    return hit;
}

void WriteCoefficient(std::wstring& out, const MonomialKey& key, double c) {
    const double magnitude = std::fabs(c);
    if (key != kConstKey && !(std::fabs(magnitude - 1) >= kZeroTolerance)) return;
    // The trim leaves exponent texts (huge magnitudes) whole.
    out += TrimTrailingZeros(FormatNumber(magnitude));
}

void WriteVariables(std::wstring& out, const MonomialKey& key) {
    ForEachPair(key, [&out](wchar_t letter, int exponent) {
        if (exponent <= 0) return;
        out += letter;
        if (exponent <= 1) return;
        out += L'^';
        AppendInt(out, exponent);
    });
}

// An entry with what TermOrder compares read once: total degree, then x, then y, all
// descending.
struct PrintedTerm {
    std::array<int, 3> order;
    const MonomialKey* key;
    double coefficient;
};

bool TermOrder(const PrintedTerm& a, const PrintedTerm& b) { return a.order > b.order; }

constexpr std::array<wchar_t, 10> kSuperscripts = {L'\u2070', L'\u00B9', L'\u00B2', L'\u00B3', L'\u2074',
                                                   L'\u2075', L'\u2076', L'\u2077', L'\u2078', L'\u2079'};

std::wstring SubstitutedNumber(double value) {
    if (std::fabs(value) < 1e10) {
        const auto whole = static_cast<long long>(value);
        if (static_cast<double>(whole) == value) return FormatC("%lld", whole);
    }
    return FormatC("%.10g", value);
}

}  // namespace

int ReadExponentDigits(const std::wstring& text, std::size_t& position) {
    int value = 0;
    for (; position < text.size() && IsDigit(text[position]); ++position) {
        const int digit = text[position] - L'0';
        value = value > (kIntMax - digit) / 10 ? kIntMax : value * 10 + digit;
    }
    return value;
}

int AddExponents(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    return static_cast<int>(std::clamp<long long>(sum, std::numeric_limits<int>::min(), kIntMax));
}

MonomialKey MakeKey(int xExponent, int yExponent, int zExponent) {
    KeyChars chars;
    const std::size_t size = WriteKeyText({xExponent, yExponent, zExponent}, chars);
    return MonomialKey(chars.begin(), chars.begin() + static_cast<std::ptrdiff_t>(size));
}

std::vector<std::pair<wchar_t, int>> ReadKey(const MonomialKey& key) {
    std::vector<std::pair<wchar_t, int>> pairs;
    ForEachPair(key, [&pairs](wchar_t letter, int exponent) { pairs.emplace_back(letter, exponent); });
    return pairs;
}

int TotalDegree(const MonomialKey& key) {
    int total = 0;
    ForEachPair(key, [&total](wchar_t, int exponent) { total = AddExponents(total, exponent); });
    return total;
}

int VariableExponent(const MonomialKey& key, wchar_t letter) {
    std::size_t i = key.find(letter);
    if (i == MonomialKey::npos) return 0;
    ++i;
    return ReadExponentDigits(key, i);
}

int DegreeInX(const Polynomial& polynomial) {
    int degree = 0;
    for (const auto& entry : polynomial) degree = std::max(degree, VariableExponent(entry.first, L'x'));
    return degree;
}

bool HasVariableKey(const Polynomial& polynomial) {
    return std::any_of(polynomial.begin(), polynomial.end(),
                       [](const auto& entry) { return entry.first != kConstKey; });
}

double Coefficient(const Polynomial& polynomial, const MonomialKey& key) {
    const auto it = polynomial.find(key);
    return it == polynomial.end() ? 0.0 : it->second;
}

void RemoveZeroTerms(Polynomial& polynomial) {
    std::erase_if(polynomial, [](const auto& entry) { return IsZero(entry.second); });
}

void AddPolynomials(Polynomial& left, const Polynomial& right) {
    for (const auto& [key, c] : right) left[key] += c;
}

void SubtractPolynomials(Polynomial& left, const Polynomial& right) {
    for (const auto& [key, c] : right) left[key] -= c;
}

LimitHit MultiplyBounded(const Polynomial& a, const Polynomial& b, WorkBudget& budget, Polynomial& product) {
    Terms terms;
    const LimitHit hit = MultiplyTerms(ToTerms(a), ToTerms(b), budget, terms);
    product = ToPolynomial(std::move(terms));
    return hit;
}

Polynomial MultiplyPolynomials(const Polynomial& a, const Polynomial& b) {
    WorkBudget budget;
    Polynomial product;
    MultiplyBounded(a, b, budget, product);
    return product;
}

LimitHit DivideBounded(const Polynomial& dividend, const Polynomial& divisor, WorkBudget& budget,
                       Polynomial& quotient) {
    quotient.clear();
    if (divisor.empty()) return LimitHit::kNone;
    if (!HasVariableKey(divisor)) return DivideByConstant(dividend, divisor, quotient);
    return LongDivision(dividend, divisor, budget, quotient);
}

Polynomial DividePolynomials(const Polynomial& dividend, const Polynomial& divisor) {
    WorkBudget budget;
    Polynomial quotient;
    DivideBounded(dividend, divisor, budget, quotient);
    return quotient;
}

LimitHit PowerBounded(const Polynomial& base, int n, WorkBudget& budget, Polynomial& power) {
    const Terms factor = ToTerms(base);
    Terms result = factor;
    for (int i = 1; i < n; ++i) {
        Terms next;
        const LimitHit hit = MultiplyTerms(result, factor, budget, next);
        if (hit != LimitHit::kNone) {
            power.clear();
            return hit;
        }
        result = std::move(next);
    }
    power = ToPolynomial(std::move(result));
    return LimitHit::kNone;
}

Polynomial PowerPolynomial(const Polynomial& base, int n) {
    WorkBudget budget;
    Polynomial power;
    PowerBounded(base, n, budget, power);
    return power;
}

double EvaluatePolynomial(const Polynomial& polynomial, double x, double y) {
    double sum = 0;
    for (const auto& [key, c] : polynomial) {
        double term = c;
        ForEachPair(key, [&](wchar_t letter, int exponent) {
            if (letter == L'x') term *= std::pow(x, exponent);
            if (letter == L'y') term *= std::pow(y, exponent);
        });
        sum += term;
    }
    return sum;
}

Polynomial DerivePolynomial(const Polynomial& polynomial) {
    Polynomial result;
    for (const auto& [key, c] : polynomial) {
        const auto pairs = ReadKey(key);
        for (const auto& [variable, e] : pairs) {
            if (e <= 0) continue;
            MonomialKey derived;
            for (const auto& [letter, exponent] : pairs) {
                derived += letter;
                derived += std::to_wstring(letter == variable ? exponent - 1 : exponent);
            }
            result[derived] += e * c;
        }
    }
    RemoveZeroTerms(result);
    return result;
}

std::wstring PolynomialToString(const Polynomial& polynomial) {
    std::vector<PrintedTerm> terms;
    terms.reserve(polynomial.size());
    for (const auto& [key, c] : polynomial) {
        terms.push_back({{TotalDegree(key), VariableExponent(key, L'x'), VariableExponent(key, L'y')}, &key, c});
    }
    std::stable_sort(terms.begin(), terms.end(), TermOrder);
    std::wstring out;
    bool first = true;
    for (const PrintedTerm& term : terms) {
        const MonomialKey& key = *term.key;
        const double c = term.coefficient;
        if (IsZero(c)) continue;
        if (first) {
            if (c < 0) out += L'-';
        } else {
            out += c >= 0 ? L" + " : L" - ";
        }
        WriteCoefficient(out, key, c);
        WriteVariables(out, key);
        first = false;
    }
    return out.empty() ? L"0" : out;
}

wchar_t SuperscriptDigit(wchar_t digit) {
    return IsDigit(digit) ? kSuperscripts[static_cast<std::size_t>(digit - L'0')] : digit;
}

std::wstring CaretToSuperscript(const std::wstring& text) {
    std::wstring out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'^' && i + 1 < text.size() && IsDigit(text[i + 1])) {
            out += SuperscriptDigit(text[++i]);
        } else {
            out += text[i];
        }
    }
    return out;
}

std::wstring SuperscriptToCaret(const std::wstring& text) {
    std::wstring out;
    for (const wchar_t c : text) {
        const auto it = std::find(kSuperscripts.begin(), kSuperscripts.end(), c);
        if (it == kSuperscripts.end()) {
            out += c;
        } else {
            out += L'^';
            out += static_cast<wchar_t>(L'0' + (it - kSuperscripts.begin()));
        }
    }
    return out;
}

std::wstring SubstituteValue(const std::wstring& formula, double value) {
    const std::wstring number = SubstitutedNumber(value);
    std::wstring out;
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const wchar_t c = formula[i];
        if (c == L'x' || c == L'X') {
            if (i > 0 && (IsDigit(formula[i - 1]) || formula[i - 1] == L')')) out += L'*';
            out += number;
            continue;
        }
        out += c;
        if ((IsDigit(c) || c == L')') && i + 1 < formula.size() && formula[i + 1] == L'(') out += L'*';
    }
    return out == L"-0" ? L"0" : out;
}

}  // namespace abacor
