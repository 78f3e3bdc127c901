// The inequality panel: any text in its input, its own keys, then the solve key
// (KV_INEQ_SOLVE), which solves one inequality or a system; then the number line drawn on
// the recording canvas and read through its exports.
//
// Input: a text header byte (fuzz_support.h), a count n and n key bytes (below 0xF0 the
// panel's keys KV_INEQ_KEYS_FIRST to KV_INEQ_STEPS in turn, the solve key left out as it comes
// last; from 0xF0 two more bytes select part of the input), the drawing rectangle (four
// 16-bit numbers), a capacity byte for the number-line exports, then the text.
#include <algorithm>
#include <functional>
#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "abacor.h"
#include "core/engine_state.h"
#include "fuzz_support.h"

namespace {

using abacor::Engine;

constexpr int kInputId = KV_INEQ_INPUT;
constexpr int kAnswerId = KV_INEQ_ANSWER;
constexpr int kSolveKey = KV_INEQ_SOLVE;
constexpr std::size_t kSolvedLength = 1024;
constexpr double kSameZero = 1e-8;
const std::wstring kRule = fuzz::RuleLine();
const std::wstring kNoSign = abacor::text::kInequalityNoSign;
const std::wstring kBadSystem = abacor::text::kInequalityBadSystem;
const std::wstring kTooComplex = abacor::text::kInequalityTooComplex;
// Texts the solver refuses to read; the sign may be found, so a system refuses them too.
const std::array<std::wstring, 4> kUnreadable = {abacor::text::kInequalityOnlyX, abacor::text::kForeignCharacters,
                                                 abacor::text::kInequalityExtraSign, abacor::text::kNotComputable};

bool IsUnreadable(const std::wstring& answer) {
    return std::find(kUnreadable.begin(), kUnreadable.end(), answer) != kUnreadable.end();
}

// One part of an answer such as "[-3, 2)": its two ends with their brackets.
struct Piece {
    std::wstring low;
    std::wstring high;
    bool lowClosed;
    bool highClosed;
};

std::optional<std::vector<Piece>> ParseAnswer(const std::wstring& answer) {
    std::vector<Piece> pieces;
    const std::wstring separator = L" ∪ ";
    for (std::size_t start = 0;;) {
        const std::size_t end = answer.find(separator, start);
        const std::wstring part = answer.substr(start, end - start);
        const std::size_t comma = part.find(L", ");
        if (part.size() < 6 || comma == std::wstring::npos) return std::nullopt;
        const wchar_t open = part.front();
        const wchar_t close = part.back();
        if ((open != L'(' && open != L'[') || (close != L')' && close != L']')) return std::nullopt;
        pieces.push_back({part.substr(1, comma - 1), part.substr(comma + 2, part.size() - comma - 3), open == L'[',
                          close == L']'});
        if (end == std::wstring::npos) return pieces;
        start = end + separator.size();
    }
}

// Whether a bound of the answer (or a label of the line) names the point: its "%.10g"
// text, a zero never as "-0". "-∞" and "+∞" name no point, however large.
bool Names(const std::wstring& bound, double point) {
    if (!fuzz::IsFiniteNumberText(bound)) return false;
    const double shown = fuzz::NumberOf(bound);
    return !(shown == 0 && std::signbit(shown)) && fuzz::MatchesTenDigits(shown, point);
}

class InequalityRun {
public:
    fuzz::App& app() { return app_; }
    headless::Window& Input() { return app_.Control(kInputId); }

    // Any key of the panel but the solve key: it edits the input or opens the Steps window.
    void PressKey(int id) {
        const std::wstring answer = app_.Control(kAnswerId).fullText();
        const std::wstring log = Engine().StepsLog;
        const bool visible = IsNumberLineVisible() != 0;
        ProcessButtonClick(&app_.Display(), id);
        const std::wstring context = L"key " + std::to_wstring(id);
        FUZZ_CHECK(app_.Display().fullText() == L"0", context);
        FUZZ_CHECK(app_.Control(kAnswerId).fullText() == answer, context + L" changed the answer");
        FUZZ_CHECK(Engine().StepsLog == log, context + L" changed the report");
        FUZZ_CHECK((IsNumberLineVisible() != 0) == visible, context + L" changed the number line");
    }

    void Solve() {
        const std::wstring text = Input().text(kSolvedLength);
        const std::wstring log = Engine().StepsLog;
        const int invalidations = app_.Main().invalidations();
        ProcessButtonClick(&app_.Display(), kSolveKey);
        const std::wstring answer = app_.Control(kAnswerId).fullText();
        const std::wstring context = L"input " + text + L" answered " + answer;
        fuzz::CheckStepsLog();
        FUZZ_CHECK(app_.Display().fullText() == L"0", context);
        FUZZ_CHECK(app_.Main().invalidations() == invalidations + 1 && app_.Main().lastInvalidateErased(), context);
        const abacor::NumberLineState& line = Engine().NumberLine;
        CheckNumberLine(line, context);

        if (answer == kNoSign || answer == kBadSystem || answer == kTooComplex || IsUnreadable(answer)) {
            FUZZ_CHECK(line.points.empty() && line.selection.empty(), context);
            FUZZ_CHECK(Engine().StepsLog == log, context + L": the report changed");
            return;
        }
        FUZZ_CHECK(text.find_first_of(L"<>≤≥") != std::wstring::npos, context + L": solved without a sign");
        const std::wstring& report = Engine().StepsLog;
        FUZZ_CHECK(report.starts_with(fuzz::ReportStart(abacor::text::kInequalityTitle)) ||
                       report.starts_with(fuzz::ReportStart(abacor::text::kInequalitySystemTitle)),
                   context + L": report " + report);
        if (answer == abacor::text::kInequalityEmptySet) {
            for (int s : line.selection) FUZZ_CHECK(s < 0, context + L": ∅ with a shaded interval");
            for (bool closed : line.closed) FUZZ_CHECK(!closed, context + L": ∅ with a filled point");
            return;
        }
        CheckAnswer(answer, line, context);
    }

private:
    static void CheckNumberLine(const abacor::NumberLineState& line, const std::wstring& context) {
        FUZZ_CHECK(line.visible == !line.points.empty(), context);
        FUZZ_CHECK(line.closed.size() == line.points.size(), context);
        FUZZ_CHECK(line.selection.empty() || line.selection.size() == line.points.size() + 1, context);
        for (int s : line.selection) FUZZ_CHECK(s == 1 || s == -1, context);
        for (std::size_t i = 0; i < line.points.size(); ++i) {
            FUZZ_CHECK(std::isfinite(line.points[i]), context + L": a point that is no number");
            if (i > 0) FUZZ_CHECK(line.points[i] - line.points[i - 1] >= kSameZero, context + L": points too close");
        }
    }

    // The answer is the number line written out: every shaded interval and every filled
    // point standing alone, left to right, each end a point of the line with its bracket
    // (or an open end at infinity).
    static void CheckAnswer(const std::wstring& answer, const abacor::NumberLineState& line,
                            const std::wstring& context) {
        const std::optional<std::vector<Piece>> pieces = ParseAnswer(answer);
        FUZZ_CHECK(pieces.has_value(), context + L": unreadable answer");
        FUZZ_CHECK(!line.selection.empty(), context + L": an answer without a number line");
        const std::size_t k = line.points.size();
        std::size_t from = 0;  // no piece starts left of where the previous one ended
        for (std::size_t i = 0; i < pieces->size(); ++i) {
            const Piece& piece = (*pieces)[i];
            // "-∞" and "+∞" are open ends, only where the line's outer interval is shaded.
            const bool openLow = i == 0 && piece.low == L"-∞" && !piece.lowClosed && line.selection.front() > 0;
            const bool openHigh = i + 1 == pieces->size() && piece.high == L"+∞" && !piece.highClosed &&
                                  line.selection.back() > 0;
            // Points closer than ten digits tell apart print alike: the piece may start
            // at any point its low end names, with its bracket.
            bool matched = false;
            for (std::size_t at = from; at <= k && !matched; ++at) {
                const std::size_t low = openLow ? 0 : at + 1;
                if (!openLow && (at == k || !Names(piece.low, line.points[at]) || line.closed[at] != piece.lowClosed)) {
                    continue;
                }
                // As an interval, the piece is interval `low` of the line, up to the next point.
                const bool interval = line.selection[low] > 0 &&
                                      (openHigh ? low == k : low < k && Names(piece.high, line.points[low]) &&
                                                                 line.closed[low] == piece.highClosed);
                const bool alone = !openLow && !openHigh && piece.low == piece.high && piece.lowClosed &&
                                   piece.highClosed && line.selection[low - 1] < 0 && line.selection[low] < 0;
                if (interval || alone) {
                    matched = true;
                    from = interval ? low : low - 1;
                }
                if (openLow) break;
            }
            FUZZ_CHECK(matched, context + L": piece " + piece.low + L", " + piece.high);
        }
        std::size_t expected = 0;
        for (std::size_t i = 0; i < line.selection.size(); ++i) {
            if (line.selection[i] > 0) ++expected;
            const bool alone = i < k && line.closed[i] && line.selection[i] < 0 && line.selection[i + 1] < 0;
            if (alone) ++expected;
        }
        FUZZ_CHECK(pieces->size() == expected, context + L": answer and number line differ");
    }

    fuzz::App app_;
};

// The mirrored inequality (">" against "<", "≥" against "≤") of a text with one sign and
// nothing else changed; none for systems and texts with more signs.
std::optional<std::wstring> Mirrored(const std::wstring& text) {
    if (text.find(L'&') != std::wstring::npos) return std::nullopt;
    const std::wstring signs = L"<>≤≥";
    const std::wstring mirrors = L"><≥≤";
    const std::size_t at = text.find_first_of(signs);
    if (at == std::wstring::npos || text.find_first_of(signs, at + 1) != std::wstring::npos) return std::nullopt;
    std::wstring mirrored = text;
    mirrored[at] = mirrors[signs.find(text[at])];
    return mirrored;
}

struct Line {
    std::wstring answer;
    std::vector<double> points;
    std::vector<bool> closed;
    std::vector<int> selection;
};

Line Solved(const std::wstring& text) {
    InequalityRun run;
    run.Input().setText(text);
    run.Solve();
    const abacor::NumberLineState& line = Engine().NumberLine;
    return {run.app().Control(kAnswerId).fullText(), line.points, line.closed, line.selection};
}

// f > 0 and f < 0 (or f ≥ 0 and f ≤ 0) have the same zeros, filled alike, and share out
// the intervals between them: each is in exactly one, unless f is 0 wherever it is
// defined (x-x, or 0/x with its zero cut out), when both take every interval or none.
void CheckMirrored(const std::wstring& text, const Line& line) {
    const std::optional<std::wstring> mirrored = Mirrored(text);
    if (!mirrored || line.answer == kNoSign || line.answer == kTooComplex || IsUnreadable(line.answer)) return;
    const Line other = Solved(*mirrored);
    const std::wstring context = text + L" gives " + line.answer + L", " + *mirrored + L" gives " + other.answer;
    FUZZ_CHECK(other.points == line.points && other.closed == line.closed, context);
    FUZZ_CHECK(other.selection.size() == line.selection.size(), context);
    const bool uniform = std::adjacent_find(line.selection.begin(), line.selection.end(), std::not_equal_to<>()) ==
                         line.selection.end();
    const bool zeroEverywhere = uniform && other.selection == line.selection;
    for (std::size_t i = 0; i < line.selection.size() && !zeroEverywhere; ++i) {
        FUZZ_CHECK(other.selection[i] == -line.selection[i], context + L": an interval in both or in neither");
    }
}

void CheckDrawing(const KvRect& rect) {
    const abacor::NumberLineState& line = Engine().NumberLine;
    headless::RecordingCanvas canvas;
    const int result = DrawNumberLine(&canvas, rect);
    const auto& calls = canvas.calls();
    const std::wstring context = L"drawing " + std::to_wstring(line.points.size()) + L" points";
    FUZZ_CHECK(!calls.empty() && calls[0].kind == headless::DrawCall::Kind::FillRect, context);
    FUZZ_CHECK(calls[0].rect.left == rect.left && calls[0].rect.right == rect.right &&
                   calls[0].rect.top == rect.top && calls[0].rect.bottom == rect.bottom,
               context + L": background");
    if (line.points.empty()) {
        FUZZ_CHECK(calls.size() == 1 && result == 0, context);
        return;
    }
    std::size_t shaded = 0;
    for (int s : line.selection) shaded += s > 0;
    std::size_t bands = 0, lines = 0, points = 0, labels = 0;
    const int axis = rect.top + 25;
    for (std::size_t i = 1; i < calls.size(); ++i) {
        const headless::DrawCall& call = calls[i];
        switch (call.kind) {
            case headless::DrawCall::Kind::FillRect: fuzz::Fail("one background", context);
            case headless::DrawCall::Kind::FillHatchedRect:
                FUZZ_CHECK(lines == 0 && call.rect.right - call.rect.left > 2, context + L": band");
                FUZZ_CHECK(call.rect.top == axis - 22 && call.rect.bottom == axis, context + L": band");
                ++bands;
                break;
            case headless::DrawCall::Kind::Line: ++lines; break;
            case headless::DrawCall::Kind::Ellipse: {
                FUZZ_CHECK(lines == 3 && labels == 0, context + L": drawing order");
                const bool closed = line.closed[points];
                FUZZ_CHECK(call.pen.width == (closed ? 3 : 2), context + L": point pen");
                const KvColor expected = closed ? KvColor{0, 0, 0} : KvColor{255, 255, 255};
                FUZZ_CHECK(call.color == expected, context + L": point brush");
                FUZZ_CHECK(call.rect.right - call.rect.left == 10 && call.rect.top == axis - 5, context + L": point");
                ++points;
                break;
            }
            case headless::DrawCall::Kind::Text:
                FUZZ_CHECK(Names(call.text, line.points[labels]), context + L": label " + call.text);
                ++labels;
                break;
        }
    }
    FUZZ_CHECK(result == 1 && bands <= shaded && lines == 3, context);
    FUZZ_CHECK(points == line.points.size() && labels == line.points.size(), context);
}

// The number-line exports write at most `capacity` entries.
void CheckExports(int capacity) {
    const abacor::NumberLineState& line = Engine().NumberLine;
    const std::size_t room = capacity > 0 ? static_cast<std::size_t>(capacity) : 0;
    const auto values = std::make_unique<double[]>(room);
    const auto closed = std::make_unique<int[]>(room);
    const auto entries = std::make_unique<int[]>(room);
    const int count = GetNumberLinePoints(values.get(), closed.get(), capacity);
    FUZZ_CHECK(count == static_cast<int>(line.points.size()), L"point count");
    for (std::size_t i = 0; i < room && i < line.points.size(); ++i) {
        FUZZ_CHECK(values[i] == line.points[i] && closed[i] == (line.closed[i] ? 1 : 0), L"exported point");
    }
    FUZZ_CHECK(GetNumberLinePoints(nullptr, nullptr, capacity) == count, L"point count without arrays");
    FUZZ_CHECK(GetNumberLineSelection(entries.get(), capacity) == static_cast<int>(line.selection.size()),
               L"selection count");
    for (std::size_t i = 0; i < room && i < line.selection.size(); ++i) {
        FUZZ_CHECK(entries[i] == line.selection[i], L"exported selection");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const fuzz::TextHeader header = fuzz::ReadHeader(bytes.Byte());
    const std::size_t keyCount = bytes.Byte() % 32;
    const auto keys = bytes.Take(keyCount);
    KvRect rect;
    rect.left = bytes.Int16();
    rect.top = bytes.Int16();
    rect.right = bytes.Int16();
    rect.bottom = bytes.Int16();
    const int capacity = static_cast<std::int8_t>(bytes.Byte());
    const std::wstring text =
        fuzz::Repeated(fuzz::Decode(bytes.Rest(), header.encoding), header.repeat, fuzz::kTextLimit);

    std::wstring solved;
    Line line;
    {
        InequalityRun run;
        run.Input().setText(text);
        fuzz::PlayPanelKeys(keys, run.Input(), KV_INEQ_KEYS_FIRST, KV_INEQ_STEPS - KV_INEQ_KEYS_FIRST + 1, kSolveKey, [&](int id) { run.PressKey(id); });
        solved = run.Input().text(kSolvedLength);
        run.Solve();
        const abacor::NumberLineState& state = Engine().NumberLine;
        line = {run.app().Control(kAnswerId).fullText(), state.points, state.closed, state.selection};
        CheckDrawing(rect);
        CheckExports(capacity);
        FUZZ_CHECK(DrawNumberLine(nullptr, rect) == 0, L"drawing on no canvas");
        HideNumberLine();
        FUZZ_CHECK(IsNumberLineVisible() == 0, L"number line still visible after hiding it");
        CheckDrawing(rect);
    }
    CheckMirrored(solved, line);
    return 0;
}
