#include "core/text_checks.h"

#include "core/texts.h"

namespace abacor {

namespace {
bool Contains(std::wstring_view set, wchar_t c) { return set.find(c) != std::wstring_view::npos; }
}  // namespace

// A sign after an operator negates what follows (2*-3), so only a second operator that
// cannot be a sign doubles the first.
bool IsDoubledOperatorAt(std::wstring_view text, std::size_t i) {
    return i + 1 < text.size() && Contains(kOperatorCharacters, text[i]) && Contains(L"*/^", text[i + 1]);
}

bool IsZeroDivisorAt(std::wstring_view text, std::size_t slash, std::wstring_view mayFollow, bool skipBlanks) {
    std::size_t zero = slash + 1;
    while (skipBlanks && zero < text.size() && text[zero] == L' ') ++zero;
    if (zero >= text.size() || text[zero] != L'0') return false;
    return zero + 1 == text.size() || Contains(mayFollow, text[zero + 1]);
}

bool DividesByZero(std::wstring_view text, std::wstring_view mayFollow) {
    for (std::size_t slash = text.find(L'/'); slash != std::wstring_view::npos; slash = text.find(L'/', slash + 1)) {
        if (IsZeroDivisorAt(text, slash, mayFollow, true)) return true;
    }
    return false;
}

bool BracketsBalanced(std::wstring_view text) {
    std::ptrdiff_t depth = 0;
    for (wchar_t c : text) depth += (c == L'(') - (c == L')');
    return depth == 0;
}

std::optional<KvTextFault> SpellingFault(std::wstring_view text, std::wstring_view allowed) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L' ') continue;
        if (!Contains(allowed, text[i])) return KV_TEXT_FOREIGN_CHARACTER;
        if (IsDoubledOperatorAt(text, i)) return KV_TEXT_DOUBLED_OPERATOR;
    }
    if (!BracketsBalanced(text)) return KV_TEXT_UNBALANCED;
    return std::nullopt;
}

const wchar_t* FaultMessage(KvTextFault fault) {
    switch (fault) {
        case KV_TEXT_EMPTY: return text::kEmptyLine;
        case KV_TEXT_FOREIGN_CHARACTER: return text::kForeignCharacters;
        case KV_TEXT_DOUBLED_OPERATOR: return text::kDoubledOperator;
        case KV_TEXT_ZERO_DIVISOR: return text::kZeroDivisor;
        case KV_TEXT_UNBALANCED: return text::kUnbalancedBrackets;
        case KV_TEXT_NOT_COMPUTABLE: return text::kNotComputable;
        case KV_TEXT_OK: break;
    }
    return L"";
}

KvTextFault CheckText(std::wstring_view text, std::wstring_view allowed, std::wstring_view mayFollowZero) {
    if (text.empty()) return KV_TEXT_EMPTY;
    if (DividesByZero(text, mayFollowZero)) return KV_TEXT_ZERO_DIVISOR;
    return SpellingFault(text, allowed).value_or(KV_TEXT_OK);
}

const wchar_t* FaultCodeMessage(int fault) {
    if (fault < KV_TEXT_OK || fault > KV_TEXT_NOT_COMPUTABLE) return L"";
    return FaultMessage(static_cast<KvTextFault>(fault));
}

}  // namespace abacor
