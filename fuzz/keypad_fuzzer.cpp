// Key sequences on the main display: every ButtonId (and any 32-bit code), displays with
// any text, the memory list, precision changes, and keys pressed while the Steps window's
// nested event loop runs.
//
// Input: a stream of operations. A byte below 0xE0 presses a key of the table below;
// 0xE0 and up are the operations of `Special`, which read their arguments from the bytes
// that follow.
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "abacor.h"
#include "core/display.h"
#include "core/engine_state.h"
#include "core/number_format.h"
#include "fuzz_support.h"

namespace {

using abacor::Engine;

constexpr std::size_t kDisplayLimit = 255;
constexpr int kFirstSpecial = 0xE0;
constexpr int kMostNestedOperations = 64;
constexpr int kMostSolves = 2;

const std::vector<int>& KeyTable() {
    static const std::vector<int> keys = [] {
        std::vector<int> k;
        // Both keypads with the codes between and around them.
        for (int id = KV_STD_FIRST; id <= KV_SCI_LAST; ++id) k.push_back(id);
        for (int id : {int{KV_FRACTION_SOLVE}, int{KV_QUADRATIC_SOLVE}}) k.push_back(id);
        for (int id = KV_MEMORY_FIRST; id <= KV_MEMORY_LAST; ++id) k.push_back(id);
        for (int id = KV_EQ_KEYS_FIRST; id <= KV_EQ_KEYS_LAST; ++id) k.push_back(id);
        for (int id = KV_INEQ_KEYS_FIRST; id <= KV_INEQ_STEPS; ++id) k.push_back(id);
        return k;
    }();
    return keys;
}

int PrecisionFrom(std::uint8_t byte) {
    static constexpr std::array<int, 20> kPrecisions = {-1, 0, 1, 2, 3, 4, 5, 6, 8, 10, 12, 15,
                                                         20, 30, 62, 63, 64, 300, -2, std::numeric_limits<int>::max()};
    return kPrecisions[byte % kPrecisions.size()];
}

// What the keypad state was before a key.
struct Before {
    std::wstring display;  // the whole text
    std::wstring read;     // what the keypad reads of it
    bool newNumber;
    bool resultShown;
    int pendingOp;
    double storedOperand;
    int memoryCount;
    std::array<double, abacor::kMemoryCapacity> memory;
    bool listVisible;
};

enum class Role { Other, Digit, Operator, Clear, ClearEntry, Equals, Function, Reciprocal, Factorial, Percent,
                  SignChange, Pi, E, Backspace, Pending, Quadratic, OtherPanel, Memory };

struct KeyRole {
    Role role = Role::Other;
    wchar_t symbol = 0;
};

KeyRole RoleOf(int id) {
    static const std::array<int, 9> kDigitKeys = {KV_SCI_1, KV_SCI_2, KV_SCI_3, KV_SCI_4, KV_SCI_5,
                                                  KV_SCI_6, KV_SCI_7, KV_SCI_8, KV_SCI_9};
    if (id >= KV_STD_1 && id <= KV_STD_9) return {Role::Digit, static_cast<wchar_t>(L'0' + id)};
    for (std::size_t i = 0; i < kDigitKeys.size(); ++i) {
        if (id == kDigitKeys[i]) return {Role::Digit, static_cast<wchar_t>(L'1' + i)};
    }
    switch (id) {
        case KV_STD_0: case KV_SCI_0: return {Role::Digit, L'0'};
        case KV_STD_PLUS: case KV_SCI_PLUS: return {Role::Operator, L'+'};
        case KV_STD_MINUS: case KV_SCI_MINUS: return {Role::Operator, L'-'};
        case KV_STD_TIMES: case KV_SCI_TIMES: return {Role::Operator, L'\u00D7'};
        case KV_STD_DIVIDE: case KV_SCI_DIVIDE: return {Role::Operator, L'\u00F7'};
        case KV_STD_CLEAR: case KV_SCI_CLEAR: return {Role::Clear};
        case KV_STD_CLEAR_ENTRY: case KV_SCI_CLEAR_ENTRY: return {Role::ClearEntry};
        case KV_STD_EQUALS: case KV_SCI_EQUALS: return {Role::Equals};
        case KV_STD_SQUARE: case KV_SCI_SQUARE: case KV_STD_SQRT: case KV_SCI_SQRT: case KV_SCI_ABS: case KV_SCI_EXP:
        case KV_SCI_POW10: case KV_SCI_LOG: case KV_SCI_LN: return {Role::Function};
        case KV_STD_RECIPROCAL: case KV_SCI_RECIPROCAL: return {Role::Reciprocal};
        case KV_SCI_FACTORIAL: return {Role::Factorial};
        case KV_STD_PERCENT: return {Role::Percent};
        case KV_STD_SIGN: case KV_SCI_SIGN: return {Role::SignChange};
        case KV_SCI_PI: return {Role::Pi};
        case KV_SCI_E: return {Role::E};
        case KV_STD_BACKSPACE: case KV_SCI_BACKSPACE: return {Role::Backspace};
        case KV_SCI_POWER: case KV_SCI_MOD: return {Role::Pending};
        case KV_QUADRATIC_SOLVE: return {Role::Quadratic};
        default: break;
    }
    if (id >= KV_MEMORY_FIRST && id <= KV_MEMORY_LAST) return {Role::Memory};
    if (id == KV_FRACTION_SOLVE || (id >= KV_EQ_KEYS_FIRST && id <= KV_EQ_KEYS_LAST) ||
        (id >= KV_INEQ_KEYS_FIRST && id <= KV_INEQ_STEPS)) {
        return {Role::OtherPanel};
    }
    return {};
}

// "=" shows a finite number or names why there is none, never nan or inf, and records
// the status that goes with it.
bool ShowsAnEqualsOutcome(const std::wstring& display, KvStatus status) {
    if (display == abacor::text::kTooLarge) return status == KV_STATUS_TOO_LARGE;
    if (display == abacor::text::kDivisionByZero || display == abacor::text::kError) {
        return status == KV_STATUS_UNDEFINED;
    }
    return fuzz::IsFiniteNumberText(display) && status == KV_STATUS_ANSWERED;
}

class KeypadRun {
public:
    explicit KeypadRun(fuzz::Bytes& bytes) : bytes_(bytes) {
        app_.Desktop().setEventLoopHook([this](headless::Window&) { RunNested(); });
    }

    void Run() {
        while (!bytes_.empty()) Step();
    }

private:
    headless::Window& Display() { return app_.Display(); }
    headless::Window& List() { return app_.Control(KV_MEMORY_LIST); }

    void Step() {
        const std::uint8_t op = bytes_.Byte();
        if (op < kFirstSpecial) return Press(KeyTable()[op % KeyTable().size()]);
        Special(op - kFirstSpecial);
    }

    // Keys pressed while the Steps window is open: the engine is called again beneath
    // the outer key.
    void RunNested() {
        if (nesting_ > 0) return;
        ++nesting_;
        const int budget = nestedBudget_;
        nestedBudget_ = 0;
        for (int i = 0; i < budget && !bytes_.empty(); ++i) {
            ranNested_ = true;
            Step();
        }
        --nesting_;
    }

    std::wstring Fragment() {
        const std::uint8_t choice = bytes_.Byte();
        const std::wstring piece = fuzz::Decode(bytes_.Take(choice & 0x3F), fuzz::Encoding::Utf8);
        return fuzz::Repeated(piece, std::size_t{1} << (2 * (choice >> 6)), 4 * fuzz::kTextLimit);
    }

    void Special(int op) {
        switch (op) {
            case 0: return Display().setText(Fragment());
            case 1: return Press(bytes_.Int32());
            case 2: return SelectFromMemoryList(static_cast<std::int8_t>(bytes_.Byte()));
            case 3: return SetPrecision(PrecisionFrom(bytes_.Byte()));
            case 4: return ResetCalculator();
            case 5: {
                static constexpr std::array<int, 3> kCoefficients = {KV_QUADRATIC_A, KV_QUADRATIC_B, KV_QUADRATIC_C};
                const int id = kCoefficients[bytes_.Byte() % 3];
                return app_.Control(id).setText(Fragment());
            }
            case 6: {
                const std::uint8_t b = bytes_.Byte();
                app_.Control(KV_QUADRATIC_SIGN_B).setCurrentIndex((b & 3) - 1);
                return app_.Control(KV_QUADRATIC_SIGN_C).setCurrentIndex(((b >> 2) & 3) - 1);
            }
            case 7: return app_.Control(KV_FRACTION_LINE).setText(Fragment());
            case 8: return app_.Control(KV_EQ_INPUT).setText(Fragment());
            case 9: return app_.Control(KV_INEQ_INPUT).setText(Fragment());
            case 10: {
                const int id = KeyTable()[bytes_.Byte() % KeyTable().size()];
                if (!SolveAllowed(id)) return;
                const Before before = Capture();
                ProcessButtonClick(nullptr, id);
                return CheckState(before, id);
            }
            case 11: nestedBudget_ = bytes_.Byte() % kMostNestedOperations; return;
            case 12: return app_.Main().setVisible(!app_.Main().visibleFlag());
            case 13: {
                const int start = bytes_.Byte();
                const int end = bytes_.Byte();
                app_.Control(KV_EQ_INPUT).setSelection(start, end);
                return app_.Control(KV_INEQ_INPUT).setSelection(start, end);
            }
            default: return Press(KeyTable()[static_cast<std::size_t>(op) * 7 % KeyTable().size()]);
        }
    }

    Before Capture() {
        const abacor::EngineState& s = Engine();
        const std::wstring display = Display().fullText();
        return {display, display.substr(0, kDisplayLimit), s.NewNumber, s.ResultShown, s.PendingOp,
                s.StoredOperand, s.MemoryCount, s.Memory, List().isVisible()};
    }

    // The time limit is per input, and a solve may take a good part of it.
    bool SolveAllowed(int id) {
        if (id != KV_EQ_SOLVE && id != KV_INEQ_SOLVE) return true;
        if (solves_ == kMostSolves) return false;
        ++solves_;
        return true;
    }

    void Press(int id) {
        if (!SolveAllowed(id)) return;
        const Before before = Capture();
        const bool ranBefore = ranNested_;
        ranNested_ = false;
        ProcessButtonClick(&Display(), id);
        const bool ranBeneath = ranNested_;
        ranNested_ = ranBefore || ranBeneath;
        // What ran beneath this key (a new display text among it) was checked step by step.
        CheckState(before, id, !ranBeneath);
        if (!ranBeneath) CheckKey(before, id);
    }

    void SelectFromMemoryList(int index) {
        List().setCurrentIndex(index);
        const Before before = Capture();
        const int selected = List().currentIndex();
        const int result = ProcessMemoryComboSelect(&Display());
        CheckState(before, KV_MEMORY_SHOW_LIST);
        FUZZ_CHECK(result == (before.listVisible ? 1 : 0), L"memory list selection result");
        FUZZ_CHECK(!List().visibleFlag(), L"memory list still shown after a selection");
        if (selected >= 0 && selected < before.memoryCount) {
            ExpectShows(before.memory[static_cast<std::size_t>(selected)], L"memory list selection");
            ExpectFlags(true, true, L"memory list selection");
        } else {
            FUZZ_CHECK(Display().fullText() == before.display, L"an empty selection changed the display");
        }
    }

    std::wstring Context(int id) { return L"key " + std::to_wstring(id) + L", display " + Display().fullText(); }

    // What holds after every key.
    void CheckState(const Before& before, int id, bool checkDisplay = true) {
        const abacor::EngineState& s = Engine();
        const std::wstring& display = Display().fullText();
        FUZZ_CHECK(s.MemoryCount >= 0 && s.MemoryCount <= abacor::kMemoryCapacity, Context(id));
        FUZZ_CHECK(s.PendingOp == 0 || s.PendingOp == 6 || s.PendingOp == 7, Context(id));
        if (checkDisplay) FUZZ_CHECK(display == before.display || display.size() <= kDisplayLimit, Context(id));
        fuzz::CheckStepsLog();
    }

    void ExpectFlags(bool newNumber, bool resultShown, const std::wstring& context) {
        FUZZ_CHECK(Engine().NewNumber == newNumber, context);
        FUZZ_CHECK(Engine().ResultShown == resultShown, context);
    }

    void ExpectShows(double value, const std::wstring& context) {
        const std::wstring& display = Display().fullText();
        FUZZ_CHECK(fuzz::IsNumberText(display), context + L": " + display);
        FUZZ_CHECK(fuzz::MatchesTenDigits(fuzz::NumberOf(display), value), context + L": " + display);
    }

    void ExpectKeypadStateKept(const Before& before, const std::wstring& context) {
        const abacor::EngineState& s = Engine();
        FUZZ_CHECK(Display().fullText() == before.display, context);
        FUZZ_CHECK(s.NewNumber == before.newNumber && s.ResultShown == before.resultShown, context);
        FUZZ_CHECK(s.PendingOp == before.pendingOp && s.MemoryCount == before.memoryCount, context);
    }

    // Text entry: replace or append, unless the display would grow past its limit.
    void ExpectEntered(const Before& before, const std::wstring& piece, bool replace, const std::wstring& context) {
        const std::wstring expected = replace ? piece : before.read + piece;
        if (expected.size() > kDisplayLimit) return ExpectKeypadStateKept(before, context);
        FUZZ_CHECK(Display().fullText() == expected, context);
    }

    // A one-number key on an expression (2+3 x²) acts on its last operand and keeps what
    // stands before it, or names why that operand has no value.
    static bool IsOneNumber(const std::wstring& text) {
        std::size_t consumed = 0;
        abacor::ReadLeadingNumber(text, &consumed);
        return consumed > 0 && consumed == text.size();
    }

    static bool ActedOnTheLastOperand(const Before& before, const std::wstring& display) {
        if (IsOneNumber(before.read)) return false;
        const std::optional<abacor::LastOperand> last = abacor::SplitLastOperand(before.read);
        if (!last) return false;
        const bool fault = display == abacor::text::kError || display == abacor::text::kDivisionByZero ||
                           display == abacor::text::kTooLarge;
        // An operand with nothing before it that is no plain number ("1e+14.") is shown alone.
        if (last->before.empty()) return fault || fuzz::IsNumberText(display);
        return fault || display.starts_with(last->before);
    }

    void CheckKey(const Before& before, int id) {
        const KeyRole key = RoleOf(id);
        const std::wstring context = Context(id) + L", before " + before.display;
        const std::wstring& display = Display().fullText();
        const bool replace = before.newNumber || before.resultShown || before.read == L"0";
        const bool oneNumberKey = key.role == Role::Function || key.role == Role::Factorial ||
                                  key.role == Role::Reciprocal || key.role == Role::Percent ||
                                  key.role == Role::SignChange;
        if (oneNumberKey && ActedOnTheLastOperand(before, display)) return;
        switch (key.role) {
            case Role::Digit:
                ExpectEntered(before, std::wstring(1, key.symbol), replace, context);
                if (Display().fullText() != before.display || before.read.size() < kDisplayLimit) {
                    ExpectFlags(false, false, context);
                }
                break;
            case Role::Operator:
                ExpectEntered(before, std::wstring(1, key.symbol), false, context);
                break;
            case Role::Clear:
                FUZZ_CHECK(display == L"0", context);
                ExpectFlags(true, false, context);
                break;
            case Role::ClearEntry:
                FUZZ_CHECK(display == L"0", context);
                ExpectFlags(true, before.resultShown, context);
                break;
            case Role::Equals:
                FUZZ_CHECK(ShowsAnEqualsOutcome(display, static_cast<KvStatus>(GetLastStatus())), context);
                FUZZ_CHECK(Engine().PendingOp == 0, context);
                ExpectFlags(true, true, context);
                break;
            case Role::Function:
            case Role::Factorial:
                FUZZ_CHECK(display == abacor::text::kError || fuzz::IsNumberText(display), context);
                ExpectFlags(true, true, context);
                break;
            case Role::Reciprocal:
                if (display == abacor::text::kDivisionByZero) {
                    ExpectFlags(before.newNumber, before.resultShown, context);
                } else {
                    FUZZ_CHECK(fuzz::IsNumberText(display), context);
                    ExpectFlags(true, true, context);
                }
                break;
            case Role::Percent:
                FUZZ_CHECK(fuzz::IsNumberText(display), context);
                ExpectFlags(true, true, context);
                FUZZ_CHECK(Engine().PendingOp == before.pendingOp, context);
                break;
            case Role::SignChange:
                FUZZ_CHECK(fuzz::IsNumberText(display), context);
                ExpectFlags(before.newNumber, before.resultShown, context);
                break;
            case Role::Pi:
            case Role::E: {
                const std::wstring constant = key.role == Role::Pi ? L"3.1415926535" : L"2.7182818284";
                FUZZ_CHECK(display == before.display || display.ends_with(constant), context);
                break;
            }
            case Role::Backspace:
                if (before.read.size() <= 1) {
                    FUZZ_CHECK(display == L"0" && Engine().NewNumber, context);
                } else {
                    FUZZ_CHECK(display == before.read.substr(0, before.read.size() - 1), context);
                }
                break;
            case Role::Pending:
                // Inside an expression x^y writes '^' (when the display has room for it).
                if (id == KV_SCI_POWER && !IsOneNumber(before.read) && abacor::SplitLastOperand(before.read)) {
                    FUZZ_CHECK(display == before.read + L"^" || display == before.display, context);
                    break;
                }
                FUZZ_CHECK(display == L"0" && Engine().NewNumber, context);
                FUZZ_CHECK(Engine().PendingOp == (id == KV_SCI_POWER ? 6 : 7), context);
                break;
            case Role::Quadratic:
                CheckQuadratic(before, context);
                break;
            case Role::OtherPanel:
                ExpectKeypadStateKept(before, context);
                break;
            case Role::Memory:
                CheckMemoryKey(before, id, context);
                break;
            case Role::Other:
                break;
        }
    }

    void CheckQuadratic(const Before& before, const std::wstring& context) {
        ExpectKeypadStateKept(before, context);
        const std::wstring first = app_.Control(KV_QUADRATIC_ROOT1).fullText();
        const std::wstring second = app_.Control(KV_QUADRATIC_ROOT2).fullText();
        const bool message = first == abacor::text::kZeroCoefficientA || first == abacor::text::kNoRealRoots;
        if (message) {
            FUZZ_CHECK(second.empty(), context + L"; roots " + first + L" / " + second);
            return;
        }
        FUZZ_CHECK(fuzz::IsNumberText(first), context + L"; roots " + first + L" / " + second);
        FUZZ_CHECK(second == L"\u2014" || fuzz::IsNumberText(second), context + L"; roots " + first + L" / " + second);
    }

    void CheckMemoryKey(const Before& before, int id, const std::wstring& context) {
        const abacor::EngineState& s = Engine();
        const double x = fuzz::NumberOf(before.read);
        const bool read = fuzz::IsNumberText(before.read);
        switch (id) {
            case KV_MEMORY_CLEAR:
                FUZZ_CHECK(s.MemoryCount == 0, context);
                break;
            case KV_MEMORY_RECALL:
                if (before.memoryCount == 0) return ExpectKeypadStateKept(before, context);
                ExpectShows(before.memory[static_cast<std::size_t>(before.memoryCount - 1)], context);
                ExpectFlags(true, true, context);
                break;
            case KV_MEMORY_STORE:
                FUZZ_CHECK(s.MemoryCount == std::min(before.memoryCount + 1, abacor::kMemoryCapacity), context);
                // The keypad reads the leading number of the display; a whole number text
                // must be stored as it reads.
                if (read) FUZZ_CHECK(fuzz::MatchesTenDigits(s.Memory[s.MemoryCount - 1], x), context);
                break;
            case KV_MEMORY_ADD:
            case KV_MEMORY_SUBTRACT:
                FUZZ_CHECK(s.MemoryCount == std::max(before.memoryCount, 1), context);
                break;
            case KV_MEMORY_SHOW_LIST:
                CheckMemoryList(before, context);
                break;
            default:
                break;
        }
        if (id != KV_MEMORY_RECALL) FUZZ_CHECK(Display().fullText() == before.display, context);
    }

    void CheckMemoryList(const Before& before, const std::wstring& context) {
        headless::Window& list = List();
        if (before.listVisible) {
            FUZZ_CHECK(!list.visibleFlag(), context + L": list not closed");
            return;
        }
        const int count = Engine().MemoryCount;
        FUZZ_CHECK(list.visibleFlag(), context + L": list not opened");
        if (count == 0) {
            FUZZ_CHECK(list.itemCount() == 1 && list.item(0) == abacor::text::kMemoryEmpty, context);
            return;
        }
        FUZZ_CHECK(list.itemCount() == count && list.currentIndex() == count - 1, context);
        for (int i = 0; i < count; ++i) {
            const std::wstring item = list.item(i);
            const std::wstring prefix = L"[" + std::to_wstring(i + 1) + L"] ";
            FUZZ_CHECK(item.starts_with(prefix), context + L": item " + item);
            FUZZ_CHECK(fuzz::MatchesTenDigits(fuzz::NumberOf(item.substr(prefix.size())),
                                              Engine().Memory[static_cast<std::size_t>(i)]),
                       context + L": item " + item);
        }
    }

    fuzz::Bytes& bytes_;
    fuzz::App app_;
    int nesting_ = 0;
    int nestedBudget_ = 0;
    int solves_ = 0;
    bool ranNested_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    KeypadRun(bytes).Run();
    return 0;
}
