// The graph: the build command's check of the formula text, then zooms, drags, mode
// switches and paints of the view through a checking canvas, and each formula sampled
// (SampleExplicit) or traced (TraceZeroSet) on its own at a small grid.
//
// Input: a text header byte (fuzz_support.h), a settings byte (grid cells per side 1 to
// 16 in the low half; bit 4 the grid, bit 5 the labels, bits 6 and 7 the line width), the
// client size (two 16-bit numbers), a count n and n operations (a byte each; a drag takes
// four 16-bit positions more), then the text.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "abacor.h"
#include "curves.h"
#include "fuzz_support.h"
#include "graph_formula.h"
#include "graph_session.h"
#include "headless_platform.h"
#include "key_points.h"

namespace {

using kelvora::GraphSettings;
using namespace kelvora::graph;

constexpr int kMostOperations = 12;
constexpr int kMostPaints = 3;
constexpr int kLargestClientWidth = 800;
constexpr int kLargestClientHeight = 600;
// A finer grid (the 500 cells above scale 100) takes longer than one input may.
constexpr double kLargestScale = 100;
constexpr float kLineWidths[] = {1, 2, 3, 0.5f};
// The graph library shows the engine's messages of the formula checks.
const std::array<std::wstring, 6> kMessages = {
    TextFaultMessage(KV_TEXT_EMPTY),
    TextFaultMessage(KV_TEXT_ZERO_DIVISOR),
    TextFaultMessage(KV_TEXT_FOREIGN_CHARACTER),
    TextFaultMessage(KV_TEXT_DOUBLED_OPERATOR),
    TextFaultMessage(KV_TEXT_UNBALANCED),
    TextFaultMessage(KV_TEXT_NOT_COMPUTABLE),
};

bool Finite(GraphPoint point) { return std::isfinite(point.x) && std::isfinite(point.y); }

// Checks every call a paint makes and keeps count.
class CheckingCanvas : public GraphCanvas {
public:
    explicit CheckingCanvas(std::wstring context) : context_(std::move(context)) {}

    void clear(GraphColor) override {
        FUZZ_CHECK(++clears_ == 1 && calls_ == 0, context_ + L": the background painted over the picture");
    }
    void pushClip(const GraphRect& rect) override {
        ++calls_;
        FUZZ_CHECK(std::isfinite(rect.left) && std::isfinite(rect.top) && std::isfinite(rect.right) &&
                       std::isfinite(rect.bottom),
                   context_ + L": clip");
        ++depth_;
    }
    void popClip() override {
        FUZZ_CHECK(depth_ > 0, context_ + L": a clip popped that was not pushed");
        --depth_;
    }
    void line(GraphPoint from, GraphPoint to, GraphColor, float width) override {
        ++calls_;
        FUZZ_CHECK(Finite(from) && Finite(to) && width > 0, context_ + L": line");
        FUZZ_CHECK(++lines_ < 100000, context_ + L": runaway grid");
    }
    void centredText(const GraphRect& rect, const std::wstring& text, const GraphFont& font, GraphColor) override {
        ++calls_;
        FUZZ_CHECK(std::isfinite(rect.left) && std::isfinite(rect.top) && !text.empty() && font.size > 0,
                   context_ + L": label");
        FUZZ_CHECK(text.size() < 32, context_ + L": label " + text);
    }
    void strokePath(const std::vector<Polyline>& figures, GraphColor, float width) override {
        ++calls_;
        FUZZ_CHECK(width > 0, context_ + L": path width");
        for (const Polyline& figure : figures) {
            FUZZ_CHECK(!figure.empty(), context_ + L": empty figure");
            for (const GraphPoint point : figure) FUZZ_CHECK(Finite(point), context_ + L": path point");
        }
    }

    // A window too small for the plot area is left as it is.
    void Finish() const {
        FUZZ_CHECK(depth_ == 0, context_ + L": clips left pushed");
        FUZZ_CHECK(clears_ == 1 || calls_ == 0, context_ + L": drawn without a background");
    }

private:
    std::wstring context_;
    int clears_ = 0;
    int calls_ = 0;
    int depth_ = 0;
    int lines_ = 0;
};

// The build: at most one message, the graph's own, and the text kept only when accepted.
void Build(GraphSession& session, const std::wstring& text, headless::Desktop& desktop) {
    const std::size_t before = desktop.messageBoxes().size();
    session.build(text, desktop);
    const std::wstring context = L"build of " + text;
    const std::size_t shown = desktop.messageBoxes().size() - before;
    FUZZ_CHECK(shown <= 1, context + L": more than one message");
    if (shown == 0) {
        FUZZ_CHECK(!session.formulaText().empty(), context + L": accepted without formulas");
        FUZZ_CHECK(session.formulaText() == text.substr(0, kMaxFormulaTextLength), context + L": text changed");
        FUZZ_CHECK(!FormulaList(session.formulaText()).empty(), context + L": accepted without formulas");
        return;
    }
    const headless::RecordedMessageBox& box = desktop.messageBoxes().back();
    FUZZ_CHECK(box.owner == nullptr && box.caption == abacor::text::kErrorCaption && box.icon == KvMessageIcon::Warning,
               context + L": message box");
    FUZZ_CHECK(std::find(kMessages.begin(), kMessages.end(), box.text) != kMessages.end(),
               context + L": message " + box.text);
    FUZZ_CHECK(!text.empty() || box.text == kMessages[0], context);
    FUZZ_CHECK(session.formulaText().empty(), context + L": a rejected text kept");
}

// One explicit formula: polylines of consecutive pixel columns inside the window's range.
void CheckSampled(const std::wstring& formula, const PlotArea& area) {
    const std::wstring context = L"samples of " + formula;
    std::size_t points = 0;
    float previousEnd = -1;
    for (const Polyline& line : SampleExplicit(GraphFunction(formula), area)) {
        FUZZ_CHECK(!line.empty(), context + L": empty polyline");
        FUZZ_CHECK(line.front().x > previousEnd + 1, context + L": polylines not broken");
        for (std::size_t i = 0; i < line.size(); ++i) {
            const GraphPoint p = line[i];
            FUZZ_CHECK(p.x >= PlotArea::kMargin && p.x <= static_cast<float>(area.width - PlotArea::kMargin),
                       context + L": column outside the plot area");
            FUZZ_CHECK(i == 0 || p.x == line[i - 1].x + 1, context + L": columns not consecutive");
            FUZZ_CHECK(std::isfinite(p.y) && p.y >= -1920 && p.y <= static_cast<float>(area.height) + 1995,
                       context + L": ordinate");
        }
        points += line.size();
        previousEnd = line.back().x;
    }
    FUZZ_CHECK(points <= static_cast<std::size_t>(std::max(0, area.width - 9)), context + L": too many points");
}

// One implicit formula: two-point segments inside the sampled region, at most two a cell.
void CheckTraced(const std::wstring& formula, const WorldRect& rect, int cells) {
    const std::wstring context = L"trace of " + formula;
    const std::vector<Polyline> segments = TraceZeroSet(GraphFunction(ZeroForm(formula)), rect, cells);
    FUZZ_CHECK(segments.size() <= 2u * static_cast<std::size_t>(cells) * static_cast<std::size_t>(cells),
               context + L": too many segments");
    // The region (reversed for a window lower than its plot area's margins), and a little
    // more for rounding to floats.
    const auto within = [](float value, double low, double high) {
        const double slack = 1e-5 * (std::fabs(low) + std::fabs(high));
        return value >= std::min(low, high) - slack && value <= std::max(low, high) + slack;
    };
    const double dx = rect.x1 - rect.x0, dy = rect.y1 - rect.y0;
    for (const Polyline& segment : segments) {
        FUZZ_CHECK(segment.size() == 2, context + L": not a segment");
        for (const GraphPoint p : segment) {
            FUZZ_CHECK(Finite(p), context + L": point that is no number");
            FUZZ_CHECK(within(p.x, rect.x0 - dx, rect.x1 + dx) && within(p.y, rect.y0 - dy, rect.y1 + dy),
                       context + L": point outside the region");
        }
    }
}

// The points "Точки" marks: inside the view, of curves that exist, an intersection of two.
void CheckKeyPoints(const std::wstring& text, const PlotArea& area) {
    const std::wstring context = L"key points of " + text;
    const GraphFormulas formulas(text);
    for (const KeyPoint& point : FindKeyPoints(formulas, area)) {
        FUZZ_CHECK(std::isfinite(point.x) && std::isfinite(point.y), context + L": a point that is no number");
        FUZZ_CHECK(point.x >= area.xmin && point.x <= area.xmax && point.y >= area.ymin && point.y <= area.ymax,
                   context + L": a point outside the view");
        FUZZ_CHECK(point.curve < formulas.size() && point.other < formulas.size(), context + L": no such curve");
        FUZZ_CHECK((point.kind == KeyPointKind::Intersection) == (point.other != point.curve),
                   context + L": an intersection of one curve, or another point of two");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Bytes bytes(data, size);
    const fuzz::TextHeader header = fuzz::ReadHeader(bytes.Byte());
    const std::uint8_t settingsByte = bytes.Byte();
    GraphSettings settings;
    settings.SampleCount = 1 + (settingsByte & 15);
    settings.ShowGrid = (settingsByte & 16) != 0;
    settings.ShowLabels = (settingsByte & 32) != 0;
    settings.LineThickness = kLineWidths[settingsByte >> 6];
    const int width = static_cast<std::uint16_t>(bytes.Int16()) % kLargestClientWidth;
    const int height = static_cast<std::uint16_t>(bytes.Int16()) % kLargestClientHeight;
    std::vector<std::uint8_t> operations;
    for (int n = bytes.Byte() % (kMostOperations + 1); n > 0; --n) operations.push_back(bytes.Byte());
    std::array<std::int16_t, 4 * kMostOperations> drags{};
    for (std::int16_t& position : drags) position = bytes.Int16();
    const std::wstring text = fuzz::Repeated(fuzz::Decode(bytes.Rest(), header.encoding), header.repeat, fuzz::kTextLimit);

    headless::Desktop desktop;
    GraphSession session;
    session.enterMode();
    Build(session, text, desktop);
    int paints = 0;
    std::size_t nextDrag = 0;
    for (const std::uint8_t operation : operations) {
        GraphView& view = session.view();
        switch (operation % 6) {
            case 0:
                if (view.scale() * 1.2 <= kLargestScale) view.zoom(120);
                break;
            case 1: view.zoom(-120); break;
            case 2: {
                const std::int16_t* at = drags.data() + 4 * (nextDrag++);
                view.press(at[0], at[1]);
                view.move(at[2], at[3], width, height);
                view.release();
                break;
            }
            case 3: session.enterMode(); break;
            case 4: session.releaseResources(); break;
            default:
                if (paints++ == kMostPaints) break;
                CheckingCanvas canvas(L"paint of " + session.formulaText());
                session.render(canvas, width, height, settings);
                if (session.hasResources()) canvas.Finish();
                break;
        }
        FUZZ_CHECK(view.scale() >= GraphView::kMinScale && view.scale() <= GraphView::kMaxScale, L"scale");
        FUZZ_CHECK(std::isfinite(view.centreX()) && std::isfinite(view.centreY()), L"centre");
    }

    const std::vector<std::wstring> formulas = FormulaList(session.formulaText());
    FUZZ_CHECK(formulas.size() <= kMaxCurves, L"more than five formulas");
    const PlotArea area = session.view().area(width, height);
    const WorldRect rect{area.xmin, area.xmax, area.ymin, area.ymax};
    for (const std::wstring& formula : formulas) {
        FUZZ_CHECK(!formula.empty() && formula.find(L';') == std::wstring::npos, L"formula " + formula);
        if (IsImplicit(formula)) CheckTraced(formula, rect, settings.SampleCount);
        else CheckSampled(formula, area);
    }
    if (!formulas.empty() && (settingsByte & 1) != 0) CheckKeyPoints(session.formulaText(), area);
    return 0;
}
