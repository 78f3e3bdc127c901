#include "core/compiled_expression.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "core/compiled_program.h"
#include "core/evaluator.h"
#include "core/formula_reader.h"
#include "core/expression_syntax.h"

namespace abacor {

namespace {

using compiled::Failures;
using compiled::Hoisted;
using compiled::HoistedValues;
using compiled::Instruction;
using compiled::kLanes;
using compiled::Lanes;
using compiled::Op;
using compiled::Program;
using compiled::Registers;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

constexpr std::uint8_t kUsesX = 1;
constexpr std::uint8_t kUsesY = 2;

struct Node {
    enum class Kind : std::uint8_t { Number, X, Y, Binary, Negate, Call };
    Kind kind = Kind::Number;
    Op op = Op::Number;  // Binary
    std::uint8_t function = 0;
    std::uint8_t uses = 0;  // which coordinates its value depends on
    bool decimal = false;   // a value of at most 15 digits everywhere: reading it back keeps it
    int left = -1, right = -1;
    double number = 0;
};

// abs, floor, ceil and round of a value of at most 15 digits have at most 15 digits: an
// integer below 10^15, or the value itself.
bool KeepsDigits(std::uint8_t function) {
    const std::string_view name = syntax::kFunctions[function].name;
    return name == "abs" || name == "floor" || name == "ceil" || name == "round";
}

template <class EmitChild>
void Emit(const std::vector<Node>& nodes, int index, Program& program, EmitChild child) {
    const Node& node = nodes[static_cast<std::size_t>(index)];
    switch (node.kind) {
        case Node::Kind::Number: program.code.push_back({.op = Op::Number, .number = node.number}); break;
        case Node::Kind::X: program.code.push_back({.op = Op::X}); break;
        case Node::Kind::Y: program.code.push_back({.op = Op::Y}); break;
        case Node::Kind::Binary:
            child(node.left);
            child(node.right);
            program.code.push_back({.op = node.op});
            break;
        case Node::Kind::Negate:
            child(node.left);
            program.code.push_back({.op = Op::Negate});
            break;
        case Node::Kind::Call:
            child(node.left);
            program.code.push_back({.op = KeepsDigits(node.function) && nodes[static_cast<std::size_t>(node.left)].decimal
                                              ? Op::CallKeepingDigits
                                              : Op::Call,
                                    .function = node.function});
            break;
    }
}

void EmitAll(const std::vector<Node>& nodes, int node, Program& program) {
    Emit(nodes, node, program, [&](int child) { EmitAll(nodes, child, program); });
}

// The value of a part that depends on no coordinate; failed when it has none.
struct Constant {
    double value;
    bool failed;
};

Constant ConstantOf(const std::vector<Node>& nodes, int node) {
    Program program;
    EmitAll(nodes, node, program);
    program.Finish();
    Registers registers(program.depth, 1);
    compiled::Run(program, Lanes{}, registers, Failures::Flagged);
    return {registers.Entry(0)[0], registers.failed[0] != 0};
}

Op Arithmetic(Operation operation) {
    switch (operation) {
        case Operation::Add: return Op::Add;
        case Operation::Subtract: return Op::Subtract;
        case Operation::Multiply: return Op::Multiply;
        case Operation::Divide: return Op::Divide;
        default: return Op::Power;
    }
}

// The read formula as the compiler's nodes, each knowing which coordinates it uses and
// whether its value has at most 15 digits (coordinates have `digits`).
std::vector<Node> ToNodes(const FormulaTree& tree, int digits) {
    std::vector<Node> nodes(tree.nodes.size());
    // The reader adds every node after its operands.
    for (std::size_t i = 0; i < tree.nodes.size(); ++i) {
        const FormulaNode& read = tree.nodes[i];
        Node& node = nodes[i];
        node.left = read.left;
        node.right = read.right;
        switch (read.operation) {
            case Operation::Number:
                node.number = read.number;
                node.decimal = syntax::ReadBack(read.number, syntax::kFunctionDigits) == read.number;
                break;
            case Operation::Unknown:
                node.kind = read.letter == 'x' ? Node::Kind::X : Node::Kind::Y;
                node.uses = read.letter == 'x' ? kUsesX : kUsesY;
                node.decimal = digits <= syntax::kFunctionDigits;
                break;
            case Operation::Negate:
                node.kind = Node::Kind::Negate;
                node.decimal = nodes[static_cast<std::size_t>(read.left)].decimal;
                break;
            case Operation::Call:
                node.kind = Node::Kind::Call;
                node.function = read.function;
                node.decimal = true;  // read back, or kept by the function
                break;
            default:
                node.kind = Node::Kind::Binary;
                node.op = Arithmetic(read.operation);
                break;
        }
        if (read.left >= 0) node.uses |= nodes[static_cast<std::size_t>(read.left)].uses;
        if (read.right >= 0) node.uses |= nodes[static_cast<std::size_t>(read.right)].uses;
    }
    return nodes;
}

// Turns the node tree into three programs: what depends on x alone runs once per column,
// what depends on y alone once per row, the rest once per point; what depends on neither
// is computed here.
class Emitter {
public:
    explicit Emitter(const std::vector<Node>& nodes) : nodes_(nodes) {}

    Program perColumn, perRow, perPoint;
    std::uint32_t columnValues = 0, rowValues = 0;

    void EmitTop(int root) { EmitPoint(root); }

private:
    const Node& At(int node) const { return nodes_[static_cast<std::size_t>(node)]; }

    void EmitPoint(int node) {
        switch (At(node).uses) {
            case 0: EmitConstant(node, perPoint); break;
            case kUsesX:
                EmitWhole(node, perColumn);
                perColumn.code.push_back({.op = Op::Store, .index = columnValues});
                perPoint.code.push_back({.op = Op::LoadX, .index = columnValues++});
                break;
            case kUsesY:
                EmitWhole(node, perRow);
                perRow.code.push_back({.op = Op::Store, .index = rowValues});
                perPoint.code.push_back({.op = Op::LoadY, .index = rowValues++});
                break;
            default: Emit(nodes_, node, perPoint, [this](int child) { EmitPoint(child); }); break;
        }
    }

    void EmitWhole(int node, Program& program) {
        if (At(node).uses == 0) EmitConstant(node, program);
        else Emit(nodes_, node, program, [&](int child) { EmitWhole(child, program); });
    }

    void EmitConstant(int node, Program& program) {
        const Constant constant = ConstantOf(nodes_, node);
        program.code.push_back({.op = constant.failed ? Op::FailedNumber : Op::Number, .number = constant.value});
    }

    const std::vector<Node>& nodes_;
};

}  // namespace

KvCoordinate RoundCoordinate(double value, int digits) {
    const bool readable = std::isfinite(value) && digits >= 1 && digits <= 17;
    return {value, readable ? syntax::ReadBack(value, digits) : value, digits};
}

void RoundCoordinates(std::span<const double> values, int digits, KvCoordinate* out) {
    std::vector<double> rounded(values.begin(), values.end());
    if (digits >= 1 && digits <= 17) syntax::ReadBackAll(rounded.data(), rounded.size(), digits);
    for (std::size_t i = 0; i < values.size(); ++i) {
        // What has no reading stays as it is.
        out[i] = {values[i], std::isfinite(values[i]) ? rounded[i] : values[i], digits};
    }
}

std::unique_ptr<CompiledExpression> CompiledExpression::Compile(std::wstring_view formula, int flags, int digits) {
    if (digits < 1 || digits > 17) return nullptr;
    std::unique_ptr<CompiledExpression> expression(new CompiledExpression(digits));
    const std::string narrowed = syntax::NarrowText(formula);
    std::string unknowns;
    if (flags & KV_FORMULA_X) unknowns += 'x';
    if (flags & KV_FORMULA_Y) unknowns += 'y';
    // A text longer than the evaluator takes has no value anywhere.
    const FormulaTree tree = narrowed.size() > kMaxExpressionLength ? FormulaTree{} : ReadFormula(narrowed, unknowns);
    if (!tree.read()) {
        expression->perPoint_.code.push_back({.op = Op::Number, .number = kNaN});
        expression->perPoint_.Finish();
        return expression;
    }
    const std::vector<Node> nodes = ToNodes(tree, digits);
    expression->usesX_ = (nodes[static_cast<std::size_t>(tree.root)].uses & kUsesX) != 0;
    expression->usesY_ = (nodes[static_cast<std::size_t>(tree.root)].uses & kUsesY) != 0;
    Emitter emitter(nodes);
    emitter.EmitTop(tree.root);

    expression->perColumn_ = std::move(emitter.perColumn);
    expression->perRow_ = std::move(emitter.perRow);
    expression->perPoint_ = std::move(emitter.perPoint);
    expression->columnValues_ = emitter.columnValues;
    expression->rowValues_ = emitter.rowValues;
    for (Program* program : {&expression->perColumn_, &expression->perRow_, &expression->perPoint_}) {
        program->Finish();
        expression->depth_ = std::max(expression->depth_, program->depth);
    }
    return expression;
}

KvCoordinate CompiledExpression::Prepared(KvCoordinate coordinate) const {
    return coordinate.digits == digits_ ? coordinate : RoundCoordinate(coordinate.value, digits_);
}

bool CompiledExpression::Unreadable(double x, double y) const {
    // A coordinate that is not a number has no reading, as "inf" or "nan" written in would not.
    return (usesX_ && !std::isfinite(x)) || (usesY_ && !std::isfinite(y));
}

double CompiledExpression::Evaluate(KvCoordinate x, KvCoordinate y) const {
    x = Prepared(x);
    y = usesY_ ? Prepared(y) : KvCoordinate{0, 0, digits_};
    if (Unreadable(x.value, y.value)) return kNaN;
    Registers registers(depth_, 1);
    HoistedValues columnValues(columnValues_, 1), rowValues(rowValues_, 1);
    compiled::Run(perColumn_, Lanes{.x = &x.rounded, .store = columnValues.View()}, registers, Failures::Flagged);
    compiled::Run(perRow_, Lanes{.y = y.rounded, .store = rowValues.View()}, registers, Failures::Flagged);
    compiled::Run(perPoint_, Lanes{.columns = columnValues.View(), .rows = rowValues.View()}, registers,
                  Failures::Flagged);
    const double result = registers.Entry(0)[0];
    return std::isnan(result) ? kNaN : result;  // one NaN, whatever its sign
}

void CompiledExpression::EvaluateGrid(std::span<const KvCoordinate> xs, std::span<const KvCoordinate> ys,
                                      double* values) const {
    const std::size_t columns = xs.size();
    const std::size_t rows = ys.empty() ? 1 : ys.size();
    std::vector<double> xRounded(columns);
    for (std::size_t c = 0; c < columns; ++c) xRounded[c] = xs[c].rounded;
    for (std::size_t c = 0; c < columns; ++c) {
        if (xs[c].digits != digits_) xRounded[c] = Prepared(xs[c]).rounded;
    }
    std::vector<std::size_t> unreadableColumns;
    for (std::size_t c = 0; c < columns && usesX_; ++c) {
        if (!std::isfinite(xs[c].value)) unreadableColumns.push_back(c);
    }
    // Failures as NaN suffice unless a power turned a NaN into a number somewhere.
    if (!EvaluateGridAs(Failures::AsNaN, xRounded, ys, values)) {
        EvaluateGridAs(Failures::Flagged, xRounded, ys, values);
    }
    // Points with a coordinate that has no reading.
    for (std::size_t r = 0; r < rows; ++r) {
        double* const row = values + r * columns;
        if (!ys.empty() && Unreadable(0, ys[r].value)) std::fill_n(row, columns, kNaN);
        for (const std::size_t c : unreadableColumns) row[c] = kNaN;
    }
}

bool CompiledExpression::EvaluateGridAs(Failures failures, const std::vector<double>& xRounded,
                                        std::span<const KvCoordinate> ys, double* values) const {
    const std::size_t columns = xRounded.size();
    const std::size_t rows = ys.empty() ? 1 : ys.size();
    Registers registers(depth_, std::min(kLanes, std::max<std::size_t>(columns, 1)));  // a small grid, small registers
    const auto turned = [&] { return failures == Failures::AsNaN && registers.nanTurnedNumber; };
    HoistedValues columnValues(columnValues_, columns), rowValues(rowValues_, 1);
    // What depends on x alone, once per column.
    for (std::size_t c = 0; c < columns; c += kLanes) {
        const Lanes lanes{.count = std::min(kLanes, columns - c), .x = xRounded.data() + c,
                          .store = columnValues.View().Offset(c)};
        compiled::Run(perColumn_, lanes, registers, failures);
    }
    // A formula of x alone is its column value at every point: nothing to run per point.
    const bool columnValueAlone = perPoint_.code.size() == 1 && perPoint_.code[0].op == Op::LoadX;
    const double* const columnValue = columnValues.View().values + (columnValueAlone ? perPoint_.code[0].index * columns : 0);
    for (std::size_t r = 0; r < rows && !turned(); ++r) {
        double* const out = values + r * columns;
        if (columnValueAlone) {
            for (std::size_t c = 0; c < columns; ++c) out[c] = std::isnan(columnValue[c]) ? kNaN : columnValue[c];
            continue;
        }
        const double y = usesY_ && !ys.empty() ? Prepared(ys[r]).rounded : 0;
        // What depends on y alone, once per row.
        compiled::Run(perRow_, Lanes{.y = y, .store = rowValues.View()}, registers, failures);
        for (std::size_t c = 0; c < columns; c += kLanes) {
            const Lanes lanes{.count = std::min(kLanes, columns - c), .columns = columnValues.View().Offset(c),
                              .rows = rowValues.View()};
            compiled::Run(perPoint_, lanes, registers, failures);
            const double* result = registers.Entry(0);
            for (std::size_t l = 0; l < lanes.count; ++l) out[c + l] = std::isnan(result[l]) ? kNaN : result[l];
        }
    }
    return !turned();
}

}  // namespace abacor
