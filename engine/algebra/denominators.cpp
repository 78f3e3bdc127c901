#include "algebra/denominators.h"

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string_view>
#include <utility>

#include "algebra/formula.h"
#include "core/report.h"
#include "core/texts.h"

namespace abacor {

namespace {

// Beyond this many fractions the common denominator makes the equation too long to
// expand or to read in the report.
constexpr std::size_t kMaxFractions = 12;

bool IsBlank(wchar_t c) { return std::iswspace(static_cast<wint_t>(c)) != 0; }

bool IsLetter(wchar_t c) {
    const wint_t lower = std::towlower(static_cast<wint_t>(c));
    return lower >= L'a' && lower <= L'z';
}

bool HasLetter(const std::wstring& text) {
    for (wchar_t c : text) {
        if (IsLetter(c)) return true;
    }
    return false;
}

bool HasX(const std::wstring& text) { return text.find_first_of(L"xX") != std::wstring::npos; }

bool IsSign(wchar_t c) { return c == L'+' || c == L'-'; }

std::wstring Trim(const std::wstring& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

// One past the bracket that closes the one opened at `open`; the end of the text when
// it is never closed.
std::size_t ClosingEnd(const std::wstring& text, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        if (text[i] == L'(') ++depth;
        if (text[i] == L')' && --depth == 0) return i + 1;
    }
    return text.size();
}

bool EnclosedWhole(const std::wstring& text) {
    return text.size() >= 2 && text.front() == L'(' && text.back() == L')' && ClosingEnd(text, 0) == text.size();
}

std::wstring SingleStrip(const std::wstring& text) {
    return EnclosedWhole(text) ? text.substr(1, text.size() - 2) : text;
}

// Applies `visit` to every character at bracket depth 0 until it returns true; gives
// that position, or npos.
template <typename Visit>
std::size_t FindAtDepthZero(const std::wstring& text, std::size_t from, Visit visit) {
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'(') ++depth;
        if (c == L')') --depth;
        if (depth == 0 && i >= from && visit(c, i)) return i;
    }
    return std::wstring::npos;
}

// Position of the last "+" or "-" at depth 0 after the first character (the start of
// the last term), or npos when the text is a single term.
std::size_t LastTermSign(const std::wstring& text) {
    std::size_t last = std::wstring::npos;
    FindAtDepthZero(text, 1, [&last](wchar_t c, std::size_t i) {
        if (IsSign(c)) last = i;
        return false;
    });
    return last;
}

// The end of the factor that starts at `start`: a bracket group with any powers after
// it, or a run up to the next operator, closing bracket or "=" (brackets inside the run
// belong to it, as in "x(x+1)").
std::size_t FactorEnd(const std::wstring& text, std::size_t start) {
    std::size_t i = start;
    while (i < text.size() && IsBlank(text[i])) ++i;
    if (i < text.size() && text[i] == L'(') {
        i = ClosingEnd(text, i);
        while (i < text.size() && text[i] == L'^') {
            ++i;
            while (i < text.size() && std::iswdigit(static_cast<wint_t>(text[i]))) ++i;
        }
        return i;
    }
    for (i = start; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'(') i = ClosingEnd(text, i) - 1;
        if (std::wstring_view(L")*/+-=").find(c) != std::wstring_view::npos) return i;
    }
    return text.size();
}

void AppendNewEquation(ReportWriter& report, const std::wstring& first, const std::wstring& second) {
    report.Line(text::kNewEquation).Line(first + L" = " + second).Close();
}

// ---- Equal denominators ----------------------------------------------------------------

struct SimpleFraction {
    std::wstring numerator;
    std::wstring denominator;
};

// A side that is one fraction: a single term over a single factor. Anything more (as in
// x + 1/(x-2)) does not lose its denominator by cancelling.
std::optional<SimpleFraction> AsSimpleFraction(const std::wstring& side) {
    const std::size_t slash = side.find(L'/');
    if (slash == std::wstring::npos) return std::nullopt;
    const std::wstring numerator = Trim(side.substr(0, slash));
    const std::wstring denominator = Trim(side.substr(slash + 1));
    if (numerator.empty() || denominator.empty()) return std::nullopt;
    if (LastTermSign(numerator) != std::wstring::npos || FactorEnd(denominator, 0) != denominator.size()) {
        return std::nullopt;
    }
    return SimpleFraction{StripOuterBrackets(numerator), StripOuterBrackets(denominator)};
}

bool CancelEqualDenominators(std::wstring& left, std::wstring& right, ReportWriter& report) {
    const std::optional<SimpleFraction> l = AsSimpleFraction(left);
    const std::optional<SimpleFraction> r = AsSimpleFraction(right);
    if (!l || !r || StripSpaces(l->denominator) != StripSpaces(r->denominator)) return false;
    left = l->numerator;
    right = r->numerator;
    report.Open(text::kEqualDenominatorsHeading)
        .Line(text::kDenominatorsCancel + l->denominator)
        .Line(text::kNewEquationInline + left + L" = " + right)
        .Close();
    return true;
}

// ---- One fraction on the left (step 0) --------------------------------------------

bool RightHasLetterDenominator(const std::wstring& right) {
    const std::size_t slash = right.find(L'/');
    return slash != std::wstring::npos && HasLetter(StripOuterBrackets(right.substr(slash + 1)));
}

// The left side times the denominator: the numerator, with the terms before it
// multiplied as well (1 + 4/x gives (1)*x + 4).
std::wstring LeftTimesDenominator(const std::wstring& beforeSlash, const std::wstring& denominator) {
    const std::wstring text = Trim(beforeSlash);
    const std::size_t sign = LastTermSign(text);
    if (sign == std::wstring::npos) return StripOuterBrackets(text);
    return L"(" + Trim(text.substr(0, sign)) + L")*" + denominator + L" " + text[sign] + L" " +
           StripOuterBrackets(Trim(text.substr(sign + 1)));
}

bool MultiplyBySingleDenominator(std::wstring& left, std::wstring& right, ReportWriter& report) {
    const std::size_t slash = left.find(L'/');
    if (slash == std::wstring::npos || slash == 0) return false;
    const std::size_t end = FactorEnd(left, slash + 1);
    const std::wstring denominator = StripSpaces(left.substr(slash + 1, end - slash - 1));
    if (!HasLetter(denominator) || !Trim(left.substr(end)).empty() || RightHasLetterDenominator(right)) {
        return false;
    }

    const std::wstring newLeft = LeftTimesDenominator(left.substr(0, slash), denominator);
    report.Open(text::kTimesDenominatorHeading)
        .Line(text::kDividesBy + denominator)
        .Line(text::kMultiplyBothSidesBy + denominator + L":")
        .Gap()
        .Line(newLeft + L" = (" + right + L")·" + denominator);
    right = L"(" + right + L")*" + denominator;
    left = newLeft;
    AppendNewEquation(report, left, right);
    return true;
}

// ---- Clearing fractions with x ---------------------------------------------------------

struct Fraction {
    wchar_t sign = L'+';
    std::wstring numerator;
    std::vector<std::wstring> denominators;  // the first is the one after the fraction bar
    std::wstring tail;                       // further factors without x: "*3", "/2"
};

struct SideFractions {
    std::vector<Fraction> fractions;
    std::wstring remainder;  // the side without its fractions
};

// Reads the factors that follow a denominator within its term; factors divided by that
// contain x join the denominators. Returns the end of the term.
std::size_t ReadTail(const std::wstring& side, std::size_t i, Fraction& fraction) {
    while (true) {
        std::size_t j = i;
        while (j < side.size() && IsBlank(side[j])) ++j;
        if (j >= side.size()) return i;
        const wchar_t c = side[j];
        if (c != L'*' && c != L'/' && c != L'(') return i;
        const std::size_t start = c == L'(' ? j : j + 1;
        const std::size_t end = FactorEnd(side, start);
        const std::wstring factor = side.substr(start, end - start);
        if (c == L'/' && HasX(factor)) {
            fraction.denominators.push_back(factor);
        } else {
            fraction.tail += side.substr(i, end - i);
        }
        i = end;
    }
}

// The nearest "+" or "-" at depth 0 between `floor` and the fraction bar, or npos.
std::size_t SignBefore(const std::wstring& side, std::size_t slash, std::size_t floor) {
    int depth = 0;
    for (std::size_t i = slash; i-- > floor;) {
        if (side[i] == L')') ++depth;
        if (side[i] == L'(') --depth;
        if (depth == 0 && IsSign(side[i])) return i;
    }
    return std::wstring::npos;
}

std::size_t NextSlash(const std::wstring& side, std::size_t from) {
    return FindAtDepthZero(side, from, [](wchar_t c, std::size_t) { return c == L'/'; });
}

// Fractions at bracket depth 0 whose denominator has x, in the order they stand, and
// what is left of the side without them (their signs included).
SideFractions CollectFractions(const std::wstring& side) {
    SideFractions found;
    std::size_t floor = 0;  // end of the last fraction taken out
    std::size_t from = 0;
    for (std::size_t slash = NextSlash(side, from); slash != std::wstring::npos; slash = NextSlash(side, from)) {
        const std::size_t denominatorEnd = FactorEnd(side, slash + 1);
        const std::wstring denominator = side.substr(slash + 1, denominatorEnd - slash - 1);
        from = std::max(denominatorEnd, slash + 1);
        if (!HasX(denominator)) continue;
        const std::size_t sign = SignBefore(side, slash, floor);
        const std::size_t start = sign == std::wstring::npos ? floor : sign + 1;
        Fraction fraction;
        if (sign != std::wstring::npos) fraction.sign = side[sign];
        fraction.numerator = side.substr(start, slash - start);
        fraction.denominators.push_back(denominator);
        const std::size_t end = ReadTail(side, denominatorEnd, fraction);
        found.remainder += side.substr(floor, (sign == std::wstring::npos ? start : sign) - floor);
        found.fractions.push_back(std::move(fraction));
        floor = from = end;
    }
    found.remainder = Trim(found.remainder + side.substr(floor));
    if (!found.remainder.empty() && found.remainder.front() == L'+') found.remainder = Trim(found.remainder.substr(1));
    if (found.remainder.find_first_not_of(L" *+-/") == std::wstring::npos) found.remainder.clear();
    return found;
}

using FractionList = std::vector<const Fraction*>;

std::wstring Bracketed(const std::wstring& text) { return L"(" + SingleStrip(text) + L")"; }

std::wstring CommonDenominator(const FractionList& all) {
    std::wstring common;
    for (const Fraction* f : all) {
        for (const std::wstring& d : f->denominators) common += (common.empty() ? L"" : L"*") + Bracketed(d);
    }
    return common;
}

std::wstring TimesOtherDenominators(const FractionList& all, const Fraction& own) {
    std::wstring product;
    for (const Fraction* f : all) {
        if (f == &own) continue;
        for (const std::wstring& d : f->denominators) product += L"*" + Bracketed(d);
    }
    return product;
}

// One side multiplied by the common denominator: each fraction's numerator times the
// other denominators, and whatever else the side holds times all of them.
std::wstring SideTimesCommon(const std::wstring& side, const SideFractions& found, const FractionList& all,
                             const std::wstring& common) {
    if (found.fractions.empty()) return L"(" + side + L")*(" + common + L")";
    std::wstring text;
    for (std::size_t i = 0; i < found.fractions.size(); ++i) {
        const Fraction& f = found.fractions[i];
        if (i > 0) text += f.sign == L'-' ? L" - " : L" + ";
        if (i == 0 && f.sign == L'-') text += L"-";
        text += Bracketed(f.numerator) + Trim(f.tail) + TimesOtherDenominators(all, f);
    }
    if (!found.remainder.empty()) text += L" + (" + found.remainder + L")*(" + common + L")";
    return text;
}

std::wstring FractionLine(const Fraction& f) {
    std::wstring line = L"  " + f.numerator;
    for (const std::wstring& d : f.denominators) line += L" / (" + d + L")";
    return line + Trim(f.tail);
}

enum class Clearing { kNone, kCleared, kTooMany };

Clearing ClearFractionsWithX(std::wstring& left, std::wstring& right, ReportWriter& report) {
    const SideFractions onLeft = CollectFractions(left);
    const SideFractions onRight = CollectFractions(right);
    FractionList all;
    for (const SideFractions* side : {&onLeft, &onRight}) {
        for (const Fraction& f : side->fractions) all.push_back(&f);
    }
    if (all.empty()) return Clearing::kNone;
    report.Open(text::kFractionsWithXHeading);
    if (all.size() > kMaxFractions) {
        report.Line(text::kFractionsFound + std::to_wstring(all.size()) + text::kFractionsMoreThan +
                    std::to_wstring(kMaxFractions) + text::kFractionsNotCleared)
            .Close();
        return Clearing::kTooMany;
    }
    report.Line(text::kFractionsListed);
    for (const Fraction* f : all) report.Line(FractionLine(*f));
    const std::wstring common = CommonDenominator(all);
    report.Line(text::kCommonDenominator + common).Line(text::kMultiplyByCommon).Gap();
    const std::wstring newLeft = SideTimesCommon(left, onLeft, all, common);
    right = SideTimesCommon(right, onRight, all, common);
    left = newLeft;
    // The side the fractions came from is shown first.
    if (onLeft.fractions.empty()) {
        AppendNewEquation(report, right, left);
    } else {
        AppendNewEquation(report, left, right);
    }
    return Clearing::kCleared;
}

bool HasFractionWithX(const std::wstring& side) {
    for (std::size_t slash = side.find(L'/'); slash != std::wstring::npos; slash = side.find(L'/', slash + 1)) {
        const std::size_t end = FactorEnd(side, slash + 1);
        if (HasX(side.substr(slash + 1, end - slash - 1))) return true;
    }
    return false;
}

// The expansion cannot divide by x: a fraction no rule reached (one inside brackets)
// makes the rest of the report unreliable, and the reader has to know.
void WarnAboutFractionsLeft(const std::wstring& left, const std::wstring& right, ReportWriter& report) {
    if (!HasFractionWithX(left) && !HasFractionWithX(right)) return;
    report.Open(text::kFractionsInBracketsHeading)
        .Line(text::kFractionInBrackets)
        .Line(text::kSolutionMayBeWrong)
        .Close();
}

}  // namespace

void ClearDenominators(std::wstring& left, std::wstring& right, ReportWriter& report) {
    // Blanks at the ends of a side, and brackets around all of it, are not part of a
    // numerator or a denominator.
    std::wstring l = Trim(StripOuterBrackets(Trim(left)));
    std::wstring r = Trim(StripOuterBrackets(Trim(right)));
    bool changed = CancelEqualDenominators(l, r, report);
    if (!changed) {
        changed = MultiplyBySingleDenominator(l, r, report);
        const Clearing clearing = ClearFractionsWithX(l, r, report);
        changed = changed || clearing == Clearing::kCleared;
        if (clearing != Clearing::kTooMany) WarnAboutFractionsLeft(l, r, report);
    }
    if (!changed) return;
    left = std::move(l);
    right = std::move(r);
}

std::vector<std::wstring> DenominatorsWithLetters(const std::wstring& side) {
    std::vector<std::wstring> found;
    for (std::size_t slash = side.find(L'/'); slash != std::wstring::npos; slash = side.find(L'/', slash + 1)) {
        const std::size_t end = FactorEnd(side, slash + 1);
        const std::wstring denominator = Trim(StripOuterBrackets(Trim(side.substr(slash + 1, end - slash - 1))));
        if (HasLetter(denominator)) found.push_back(denominator);
    }
    return found;
}

std::wstring StripOuterBrackets(std::wstring text) {
    while (EnclosedWhole(text)) text = text.substr(1, text.size() - 2);
    return text;
}

}  // namespace abacor
