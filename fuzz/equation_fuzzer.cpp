// The equation panel: any text in its input, its own keys, then the solve key (KV_EQ_SOLVE),
// which validates the text and solves it, or simplifies it when it has no "=".
//
// Input: a text header byte (fuzz_support.h; bit 4 leaves out the labels of rows 3 and
// 4, as the program does), a settings byte (precision in the low half, maximum degree in
// the high half), a count n and n key bytes (below 0xF0 the panel's keys
// KV_EQ_KEYS_FIRST to KV_EQ_KEYS_LAST in turn, the solve key left out as it comes last; from
// 0xF0 two more bytes select part of the input), then the text.
#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "abacor.h"
#include "core/engine_state.h"
#include "fuzz_support.h"

namespace {

using abacor::Engine;

constexpr int kInputId = KV_EQ_INPUT;
constexpr int kSolveKey = KV_EQ_SOLVE;
constexpr int kStepsKey = KV_EQ_STEPS;
constexpr std::size_t kFormulaCapacity = 1023;
constexpr std::array<int, 4> kValueIds = {KV_EQ_ROW1_VALUE, KV_EQ_ROW2_VALUE, KV_EQ_ROW3_VALUE, KV_EQ_ROW4_VALUE};
constexpr std::array<int, 4> kLabelIds = {KV_EQ_ROW1_LABEL, KV_EQ_ROW2_LABEL, KV_EQ_ROW3_LABEL, KV_EQ_ROW4_LABEL};
const std::wstring kRule = fuzz::RuleLine();

constexpr std::array<const wchar_t*, 5> kValidationMessages = {
    abacor::text::kEmptyLine,      abacor::text::kZeroDivisor,       abacor::text::kForeignCharacters,
    abacor::text::kDoubledOperator, abacor::text::kUnbalancedBrackets,
};
constexpr std::array<const wchar_t*, 7> kVerdicts = {
    abacor::text::kTwoEqualsSigns, abacor::text::kOnlyX,    abacor::text::kEveryNumber,
    abacor::text::kNoSolutions,    abacor::text::kTooLarge, abacor::text::kNoRealRoots,
    abacor::text::kEquationTooComplex,
};

template <std::size_t N>
bool IsOneOf(const std::wstring& text, const std::array<const wchar_t*, N>& set) {
    for (const wchar_t* item : set) {
        if (text == item) return true;
    }
    return false;
}

int PrecisionFrom(int nibble) {
    static constexpr std::array<int, 16> kPrecisions = {-1, 0, 1, 2, 3, 4, 6, 8, 10, 12, 15, 20, 31, 63, -1, -2};
    return kPrecisions[static_cast<std::size_t>(nibble)];
}

int MaxDegreeFrom(int nibble) {
    static constexpr std::array<int, 16> kDegrees = {9, 0, 1, 2, 3, 5, 10, 20, 50, 100, 1000, 100000,
                                                     std::numeric_limits<int>::max(), -1, 9, 9};
    return kDegrees[static_cast<std::size_t>(nibble)];
}

std::wstring Caret(const std::wstring& text) {
    static const std::wstring superscripts = L"\u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079";
    std::wstring out;
    for (wchar_t c : text) {
        const std::size_t digit = superscripts.find(c);
        if (digit == std::wstring::npos) out += c;
        else out += std::wstring(L"^") + static_cast<wchar_t>(L'0' + digit);
    }
    return out;
}

// The answer rows as the user sees them.
struct Rows {
    std::array<bool, 4> valueVisible{};
    std::array<bool, 4> labelVisible{};
    std::array<bool, 4> hasLabel{};
    std::array<std::wstring, 4> values;
    std::array<std::wstring, 4> labels;
    bool operator==(const Rows&) const = default;
};

enum class Outcome { Rejected, Solved, Simplified };

class EquationRun {
public:
    explicit EquationRun(bool allLabels) : app_(allLabels) {}

    fuzz::App& app() { return app_; }
    headless::Window& Input() { return app_.Control(kInputId); }

    // Any key of the panel but the solve key: it edits the input or opens the Steps window.
    void PressKey(int id) {
        const std::wstring log = Engine().StepsLog;
        const Rows rows = ReadRows();
        ProcessButtonClick(&app_.Display(), id);
        FUZZ_CHECK(app_.Display().fullText() == L"0", L"key " + std::to_wstring(id));
        FUZZ_CHECK(ReadRows() == rows, L"key " + std::to_wstring(id) + L" changed the answer rows");
        if (id == kStepsKey) {
            const KvTextWindowSpec* shown = app_.Desktop().lastTextWindowSpec();
            FUZZ_CHECK(shown && shown->text == log, L"the Steps window does not show the report");
        }
        FUZZ_CHECK(Engine().StepsLog == log, L"key " + std::to_wstring(id) + L" changed the report");
    }

    Outcome Solve() {
        const std::wstring typed = Input().text(kFormulaCapacity);
        const std::wstring log = Engine().StepsLog;
        const Rows before = ReadRows();
        const std::size_t boxes = app_.Desktop().messageBoxes().size();
        ProcessButtonClick(&app_.Display(), kSolveKey);
        const std::wstring context = L"input " + typed;
        fuzz::CheckStepsLog();
        FUZZ_CHECK(app_.Display().fullText() == L"0", context);

        const auto& shownBoxes = app_.Desktop().messageBoxes();
        if (shownBoxes.size() != boxes) {
            FUZZ_CHECK(shownBoxes.size() == boxes + 1, context + L": more than one message");
            const headless::RecordedMessageBox& box = shownBoxes.back();
            FUZZ_CHECK(IsOneOf(box.text, kValidationMessages), context + L": message " + box.text);
            FUZZ_CHECK(box.caption == abacor::text::kErrorCaption && box.icon == KvMessageIcon::Warning &&
                           box.buttons == KvMessageButtons::Ok && box.owner == nullptr,
                       context + L": message box " + box.caption);
            FUZZ_CHECK(Engine().StepsLog == log, context + L": a rejected text changed the report");
            FUZZ_CHECK(ReadRows() == before, context + L": a rejected text changed the answer rows");
            return Outcome::Rejected;
        }
        FUZZ_CHECK(!typed.empty(), context + L": an empty text was accepted");
        const std::wstring t = Caret(typed);
        const Rows rows = ReadRows();
        CheckRowShape(rows, context);
        if (t.find(L'=') == std::wstring::npos) {
            CheckSimplified(rows, context);
            return Outcome::Simplified;
        }
        CheckSolved(t, rows, context);
        return Outcome::Solved;
    }

private:
    Rows ReadRows() {
        Rows rows;
        for (std::size_t i = 0; i < 4; ++i) {
            headless::Window& value = app_.Control(kValueIds[i]);
            rows.valueVisible[i] = value.visibleFlag();
            rows.values[i] = value.fullText();
            if (KvWindow* label = app_.Main().child(kLabelIds[i])) {
                auto& l = static_cast<headless::Window&>(*label);
                rows.hasLabel[i] = true;
                rows.labelVisible[i] = l.visibleFlag();
                rows.labels[i] = l.fullText();
            }
        }
        return rows;
    }

    static std::size_t ShownRows(const Rows& rows) {
        std::size_t n = 0;
        while (n < 4 && rows.valueVisible[n]) ++n;
        return n;
    }

    // Rows are shown from the first one on, each label with its value.
    void CheckRowShape(const Rows& rows, const std::wstring& context) {
        const std::size_t n = ShownRows(rows);
        for (std::size_t i = 0; i < 4; ++i) {
            FUZZ_CHECK(rows.valueVisible[i] == (i < n), context + L": rows shown with a gap");
            if (rows.hasLabel[i]) FUZZ_CHECK(rows.labelVisible[i] == (i < n), context + L": label without value");
        }
    }

    void CheckSimplified(const Rows& rows, const std::wstring& context) {
        const std::wstring& log = Engine().StepsLog;
        FUZZ_CHECK(log.starts_with(fuzz::ReportStart(abacor::text::kSimplificationTitle)),
                   context + L": report " + log);
        // The simplified form, or no form at all when the expansion left a part out.
        const bool simplified = rows.labels[0] == abacor::text::kSimplifiedLabel && !rows.values[0].empty() &&
                                GetLastStatus() == KV_STATUS_ANSWERED;
        const bool tooComplex = rows.values[0] == abacor::text::kExpressionTooComplex &&
                                GetLastStatus() == KV_STATUS_TOO_COMPLEX;
        FUZZ_CHECK(ShownRows(rows) == 1 && (simplified || tooComplex), context + L": simplified " + rows.values[0]);
    }

    void CheckSolved(const std::wstring& t, const Rows& rows, const std::wstring& context) {
        const std::wstring& log = Engine().StepsLog;
        FUZZ_CHECK(log.starts_with(fuzz::ReportStart(abacor::text::kEquationTitle)),
                   context + L": report " + log);
        const std::size_t n = ShownRows(rows);
        const std::size_t equals = t.find(L'=');
        if (t.find(L'=', equals + 1) != std::wstring::npos) {
            FUZZ_CHECK(n == 1 && rows.values[0] == abacor::text::kTwoEqualsSigns, context + L": " + rows.values[0]);
            return;
        }
        const std::vector<std::wstring> roots = RootList(false);
        const std::vector<std::wstring> exact = RootList(true);
        FUZZ_CHECK(exact.size() == roots.size(), context + L": exact forms of other roots");
        if (n == 0) {  // no real root found by the search alone (a degree beyond exact isolation)
            FUZZ_CHECK(roots.empty(), context + L": roots without rows");
            return;
        }
        if (IsOneOf(rows.values[0], kVerdicts) || IsIdentityInDomain(rows.values[0])) {
            FUZZ_CHECK(n == 1, context + L": a verdict and more rows");
            FUZZ_CHECK(roots.empty(), context + L": roots behind a verdict");
            return;
        }
        // The full list starts with what the rows show and holds every root they count.
        const bool overflow = n == 4 && rows.values[3].starts_with(abacor::text::kMoreRootsPrefix);
        FUZZ_CHECK(overflow ? roots.size() > 4 : roots.size() == n, context + L": rows and roots differ in number");
        for (std::size_t i = 0; i < n && i < roots.size() && !(overflow && i == 3); ++i) {
            FUZZ_CHECK(roots[i].ends_with(L" " + rows.values[i]), context + L": root " + roots[i] + L" in the row " + rows.values[i]);
        }
        for (std::size_t i = 0; i < n; ++i) {
            // More roots than rows: the last row counts the rest.
            if (i == 3 && rows.values[i].starts_with(abacor::text::kMoreRootsPrefix)) {
                if (rows.hasLabel[i]) FUZZ_CHECK(rows.labels[i] == abacor::text::kMoreRootsLabel, context + L": label " + rows.labels[i]);
                continue;
            }
            FUZZ_CHECK(fuzz::IsFiniteNumberText(rows.values[i]), context + L": root " + rows.values[i]);
            const double root = fuzz::NumberOf(rows.values[i]);
            FUZZ_CHECK(!(root == 0 && std::signbit(root)), context + L": root " + rows.values[i]);
            const std::wstring label = n == 1 ? abacor::text::kRootLabel : abacor::text::kRootLabels[i];
            if (rows.hasLabel[i]) FUZZ_CHECK(rows.labels[i] == label, context + L": label " + rows.labels[i]);
        }
    }

    // GetEquationRoots' lines.
    static std::vector<std::wstring> RootList(bool exact) {
        const int length = GetEquationRoots(exact ? 1 : 0, nullptr, 0);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        GetEquationRoots(exact ? 1 : 0, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(length));
        std::vector<std::wstring> lines;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find(L'\n', start);
            FUZZ_CHECK(end != std::wstring::npos, L"a root line without its line feed: " + text);
            lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        return lines;
    }

    // "x ∈ ℝ, x ≠ 0": an identity outside the zeros of its denominators.
    static bool IsIdentityInDomain(const std::wstring& value) {
        const std::wstring every = abacor::text::kEveryNumber;
        return value.starts_with(every + abacor::text::kExcludedValue) || value == every + abacor::text::kExceptDenominatorZeros;
    }

    fuzz::App app_;
};

bool HasSkippedNote() { return Engine().StepsLog.find(abacor::text::kSkippedNote) != std::wstring::npos; }

// The simplified form, typed in again, is already as simple as it gets.
void CheckSimplifiedAgain(EquationRun& run) {
    const std::wstring typed = run.Input().text(kFormulaCapacity);
    const std::wstring simplified = run.app().Control(kValueIds[0]).fullText();
    // A form longer than the input field reads cannot come back whole.
    if (HasSkippedNote() || simplified.size() > kFormulaCapacity) return;
    run.Input().setText(simplified);
    if (run.Solve() != Outcome::Simplified || HasSkippedNote()) return;
    const std::wstring again = run.app().Control(kValueIds[0]).fullText();
    FUZZ_CHECK(again == simplified, L"input " + typed + L" simplified to " + simplified + L", then to " + again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const fuzz::TextHeader header = fuzz::ReadHeader(bytes.Byte());
    const std::uint8_t settings = bytes.Byte();
    const std::size_t keyCount = bytes.Byte() % 32;
    const auto keys = bytes.Take(keyCount);
    const std::wstring text =
        fuzz::Repeated(fuzz::Decode(bytes.Rest(), header.encoding), header.repeat, fuzz::kTextLimit);

    EquationRun run((header.targetBits & 1) == 0);
    SetPrecision(PrecisionFrom(settings & 0x0F));
    SetMaxDegree(MaxDegreeFrom(settings >> 4));
    run.Input().setText(text);
    fuzz::PlayPanelKeys(keys, run.Input(), KV_EQ_KEYS_FIRST, KV_EQ_KEYS_LAST - KV_EQ_KEYS_FIRST + 1, kSolveKey, [&](int id) { run.PressKey(id); });
    // A fixed precision rounds the coefficients it shows (1/6 with no decimals shows 0),
    // so only the automatic one shows a form that reads back as the same polynomial.
    if (run.Solve() == Outcome::Simplified && GetPrecision() == -1) CheckSimplifiedAgain(run);
    run.PressKey(kStepsKey);
    return 0;
}
