#include "core/compiled_expression.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <string>

#include "core/compiled_program.h"
#include "core/evaluator.h"
#include "core/expression_parser.h"
#include "core/expression_syntax.h"

namespace abacor {

namespace {

using compiled::Hoisted;
using compiled::HoistedValues;
using compiled::Instruction;
using compiled::kLanes;
using compiled::Lanes;
using compiled::Op;
using compiled::Program;
using compiled::Registers;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kFunctionDigits = 15;  // function values are written with "(%.15g)"

// The compiler's text is the formula with each coordinate as "(\x80)" or "(\x81)" and each
// call that depends on one as "(\x82)": brackets like those of the real values, so that
// implicit multiplication and function names are found exactly as in the real text.
constexpr char kSlotX = '\x80';
constexpr char kSlotY = '\x81';
constexpr char kCall = '\x82';

constexpr std::uint8_t kUsesX = 1;
constexpr std::uint8_t kUsesY = 2;

struct Node {
    enum class Kind : std::uint8_t { Number, X, Y, Binary, Call, Level };
    Kind kind = Kind::Number;
    char op = 0;
    std::uint8_t function = 0;
    std::uint8_t uses = 0;  // which coordinates its value depends on
    int left = -1, right = -1;
    double number = 0;
};

Op Arithmetic(char op) {
    switch (op) {
        case '+': return Op::Add;
        case '-': return Op::Subtract;
        case '*': return Op::Multiply;
        case '/': return Op::Divide;
        default: return Op::Power;
    }
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
            program.code.push_back({.op = Arithmetic(node.op)});
            break;
        case Node::Kind::Call:
            child(node.left);
            program.code.push_back({.op = Op::Call, .function = node.function});
            break;
        case Node::Kind::Level:
            program.code.push_back({.op = Op::BeginLevel});
            child(node.left);
            program.code.push_back({.op = Op::EndLevel});
            break;
    }
}

void EmitAll(const std::vector<Node>& nodes, int node, Program& program) {
    Emit(nodes, node, program, [&](int child) { EmitAll(nodes, child, program); });
}

// The value of a part that depends on no coordinate, with its failure flag.
struct Constant {
    double value;
    bool failed;
};

Constant ConstantOf(const std::vector<Node>& nodes, int node) {
    Program program;
    EmitAll(nodes, node, program);
    program.Finish();
    Registers registers(program.depth, 1);
    compiled::Run(program, Lanes{}, registers);
    return {registers.Entry(0)[0], registers.failed[0] != 0};
}

class Compiler;

// The parser's operands while compiling: nodes instead of numbers.
class NodeStack {
public:
    static constexpr bool kMarkers = true;

    NodeStack(Compiler& compiler, std::string_view text, const std::vector<int>& calls)
        : compiler_(compiler), text_(text), calls_(calls) {}

    std::size_t size() const { return values_.size(); }
    void Push(double number);
    bool Apply(char op);
    void PushMarker(std::size_t at);

    int Result() const { return values_.front(); }

private:
    Compiler& compiler_;
    std::string_view text_;
    const std::vector<int>& calls_;
    std::size_t nextCall_ = 0;
    std::vector<int> values_;
};

class Compiler {
public:
    explicit Compiler(int digits) : digits_(digits) {}

    int Add(Node node) {
        nodes_.push_back(std::move(node));
        return static_cast<int>(nodes_.size()) - 1;
    }
    Node& operator[](int node) { return nodes_[static_cast<std::size_t>(node)]; }
    const std::vector<Node>& nodes() const { return nodes_; }
    bool nanEverywhere() const { return nanEverywhere_; }

    // One evaluation's text (the whole formula or a function's argument) as a Level
    // node; -1 when the compiler cannot be sure of the evaluator's limits there, or when
    // a part that is the same everywhere (an argument that fails, an undefined function
    // value) makes every point NaN (nanEverywhere).
    int CompileLevel(std::string_view text, int nesting) {
        if (nesting > kMaxNesting) return -1;
        std::string working;
        std::vector<int> calls;
        std::size_t from = 0;
        while (const auto call = syntax::NextCall(text, from)) {
            working.append(text.substr(from, call->begin - from));
            from = call->close + 1;
            const std::string_view argument = call->Argument(text);
            if (argument.find_first_of("\x80\x81") == std::string_view::npos) {
                // The same value at every point: written in as the evaluator writes it. A
                // failure there fails the text at every point.
                const ArgumentValue value = EvaluateArgument(argument, nesting + 1);
                nanEverywhere_ = value.wholeTextNaN;
                if (value.wholeTextNaN || !AppendFunctionValue(working, call->function, value.value)) return -1;
                continue;
            }
            const int level = CompileLevel(argument, nesting + 1);
            if (level < 0) return -1;
            if ((*this)[level].uses == 0) {  // say, an argument that can never be read
                if (!AppendFunctionValue(working, call->function, ConstantOf(nodes_, level).value)) return -1;
                continue;
            }
            Node node{.kind = Node::Kind::Call, .function = static_cast<std::uint8_t>(call->function)};
            node.uses = (*this)[level].uses;
            node.left = level;
            calls.push_back(Add(std::move(node)));
            working += {'(', kCall, ')'};
        }
        working.append(text.substr(from));
        if (LongestExpansion(working) > kMaxExpressionLength) return -1;

        NodeStack stack(*this, working, calls);
        PrecedenceParser<NodeStack> parser(stack);
        int root = -1;
        switch (parser.Run(working)) {
            case ParseResult::LimitExceeded: return -1;
            case ParseResult::Value: root = stack.Result(); break;
            // NaN at every point, whatever its calls give.
            case ParseResult::Failed: root = Add(Node{.kind = Node::Kind::Number, .number = kNaN}); break;
        }
        Node level{.kind = Node::Kind::Level};
        level.uses = (*this)[root].uses;
        level.left = root;
        return Add(std::move(level));
    }

private:
    // Writes a call's value in as the evaluator does; false when it is undefined, which
    // makes the whole text NaN.
    bool AppendFunctionValue(std::string& working, int function, double argument) {
        const double value = syntax::kFunctions[static_cast<std::size_t>(function)].apply(argument);
        if (!std::isfinite(value)) {
            nanEverywhere_ = true;
            return false;
        }
        char printed[syntax::kMaxPrintedLength + 2] = "(";
        char* end = syntax::PrintGeneral(value, kFunctionDigits, printed + 1);
        *end++ = ')';
        working.append(printed, end);
        return true;
    }

    // The expanded length with every coordinate and call value at its longest.
    std::size_t LongestExpansion(std::string_view text) const {
        std::size_t length = syntax::ExpandedLength(text);
        for (const char c : text) {
            if (c == kSlotX || c == kSlotY) length += static_cast<std::size_t>(syntax::MaxPrintedLength(digits_)) - 1;
            if (c == kCall) length += static_cast<std::size_t>(syntax::MaxPrintedLength(kFunctionDigits)) - 1;
        }
        return length;
    }

    int digits_;
    bool nanEverywhere_ = false;
    std::vector<Node> nodes_;
};

void NodeStack::Push(double number) { values_.push_back(compiler_.Add(Node{.kind = Node::Kind::Number, .number = number})); }

bool NodeStack::Apply(char op) {
    Node node{.kind = Node::Kind::Binary, .op = op};
    node.right = values_.back();
    values_.pop_back();
    node.left = values_.back();
    node.uses = compiler_[node.left].uses | compiler_[node.right].uses;
    values_.back() = compiler_.Add(std::move(node));
    return true;  // a zero divisor is a matter of the values
}

void NodeStack::PushMarker(std::size_t at) {
    const char marker = text_[at];
    if (marker == kSlotX) {
        values_.push_back(compiler_.Add(Node{.kind = Node::Kind::X, .uses = kUsesX}));
    } else if (marker == kSlotY) {
        values_.push_back(compiler_.Add(Node{.kind = Node::Kind::Y, .uses = kUsesY}));
    } else {
        values_.push_back(calls_[nextCall_++]);
    }
}

// Turns the node tree into three programs: what depends on x alone runs once per column,
// what depends on y alone once per row, the rest once per point; what depends on neither
// is computed here.
class Emitter {
public:
    explicit Emitter(const std::vector<Node>& nodes) : nodes_(nodes) {}

    Program perColumn, perRow, perPoint;
    std::uint32_t columnValues = 0, rowValues = 0;

    void EmitTop(int level) {
        // The top level's failure is the final flag itself.
        const Node& node = At(level);
        if (node.uses == (kUsesX | kUsesY)) EmitPoint(node.left);
        else EmitPoint(level);
    }

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

    // Such a part holds no call (those of constants were written in as text), so it never
    // needs the text path.
    void EmitConstant(int node, Program& program) {
        const Constant constant = ConstantOf(nodes_, node);
        program.code.push_back({.op = constant.failed ? Op::FailedNumber : Op::Number, .number = constant.value});
    }

    const std::vector<Node>& nodes_;
};

bool IsX(char c) { return c == 'x' || c == 'X'; }
bool IsY(char c) { return c == 'y' || c == 'Y'; }

}  // namespace

KvCoordinate RoundCoordinate(double value, int digits) {
    const bool readable = std::isfinite(value) && digits >= 1 && digits <= 17;
    return {value, readable ? syntax::ReadBack(value, digits) : value, digits};
}

std::unique_ptr<CompiledExpression> CompiledExpression::Compile(std::wstring_view formula, int flags, int digits) {
    if (digits < 1 || digits > 17) return nullptr;
    std::unique_ptr<CompiledExpression> expression(new CompiledExpression(digits));
    std::string& narrowed = expression->narrowed_;
    narrowed.reserve(formula.size());
    for (const wchar_t c : formula) narrowed += syntax::Narrow(c);

    // Where the coordinates go: every x (and y) but the one in "exp".
    std::string marked;
    for (std::size_t i = 0; i < narrowed.size(); ++i) {
        if (narrowed.compare(i, 3, "exp") == 0) {
            marked += "exp";
            i += 2;
        } else if ((flags & KV_FORMULA_X) && IsX(narrowed[i])) {
            expression->slots_.push_back({i, false});
            marked += {'(', kSlotX, ')'};
        } else if ((flags & KV_FORMULA_Y) && IsY(narrowed[i])) {
            expression->slots_.push_back({i, true});
            marked += {'(', kSlotY, ')'};
        } else {
            marked += narrowed[i];
        }
    }
    for (const Slot& slot : expression->slots_) (slot.y ? expression->usesY_ : expression->usesX_) = true;

    const auto nanEverywhere = [&] {
        expression->perPoint_.code.push_back({.op = Op::Number, .number = kNaN});
        expression->compiled_ = true;
        return std::move(expression);
    };
    // Every written-in text is longer still.
    if (narrowed.size() > kMaxExpressionLength) return nanEverywhere();
    const std::size_t longest =
        narrowed.size() + expression->slots_.size() * static_cast<std::size_t>(syntax::MaxPrintedLength(digits) + 1);
    if (longest > kMaxExpressionLength) return expression;

    Compiler compiler(digits);
    const int top = compiler.CompileLevel(marked, 0);
    if (top < 0) return compiler.nanEverywhere() ? nanEverywhere() : std::move(expression);
    Emitter emitter(compiler.nodes());
    emitter.EmitTop(top);

    expression->perColumn_ = std::move(emitter.perColumn);
    expression->perRow_ = std::move(emitter.perRow);
    expression->perPoint_ = std::move(emitter.perPoint);
    expression->columnValues_ = emitter.columnValues;
    expression->rowValues_ = emitter.rowValues;
    for (Program* program : {&expression->perColumn_, &expression->perRow_, &expression->perPoint_}) {
        program->Finish();
        expression->depth_ = std::max(expression->depth_, program->depth);
    }
    expression->compiled_ = true;
    return expression;
}

KvCoordinate CompiledExpression::Prepared(KvCoordinate coordinate) const {
    return coordinate.digits == digits_ ? coordinate : RoundCoordinate(coordinate.value, digits_);
}

bool CompiledExpression::NeedsText(double x, double y) const {
    // A coordinate that is not a number prints as "inf" or "nan": only the text knows.
    return !compiled_ || (usesX_ && !std::isfinite(x)) || (usesY_ && !std::isfinite(y));
}

double CompiledExpression::TextValue(double x, double y) const {
    std::array<char, kMaxExpressionLength + 1> text;
    std::size_t length = 0;
    const auto append = [&](std::string_view piece) {
        if (piece.size() > text.size() - length) return false;
        piece.copy(text.data() + length, piece.size());
        length += piece.size();
        return true;
    };
    std::size_t from = 0;
    for (const Slot& slot : slots_) {
        char printed[syntax::kMaxPrintedLength + 2] = "(";
        char* end = syntax::PrintGeneral(slot.y ? y : x, digits_, printed + 1);
        *end++ = ')';
        if (!append(std::string_view(narrowed_).substr(from, slot.at - from)) ||
            !append(std::string_view(printed, static_cast<std::size_t>(end - printed)))) {
            return kNaN;  // longer than the evaluator accepts
        }
        from = slot.at + 1;
    }
    if (!append(std::string_view(narrowed_).substr(from))) return kNaN;
    return EvaluateNarrowed(std::string_view(text.data(), length));
}

double CompiledExpression::Result(const Registers& registers, std::size_t lane, double x, double y) const {
    // Coordinates that only the text can read (its letters hide calls) are left to it;
    // every failure is one NaN.
    if (NeedsText(x, y)) return TextValue(x, y);
    if (registers.undefined[lane]) return kNaN;
    const double value = registers.Entry(0)[lane];
    return registers.failed[lane] || std::isnan(value) ? kNaN : value;
}

double CompiledExpression::Evaluate(KvCoordinate x, KvCoordinate y) const {
    x = Prepared(x);
    y = usesY_ ? Prepared(y) : KvCoordinate{0, 0, digits_};
    if (NeedsText(x.value, y.value)) return TextValue(x.value, y.value);
    Registers registers(depth_, 1);
    HoistedValues columnValues(columnValues_, 1), rowValues(rowValues_, 1);
    compiled::Run(perColumn_, Lanes{.x = &x.rounded, .store = columnValues.View()}, registers);
    compiled::Run(perRow_, Lanes{.y = y.rounded, .store = rowValues.View()}, registers);
    compiled::Run(perPoint_, Lanes{.columns = columnValues.View(), .rows = rowValues.View()}, registers);
    return Result(registers, 0, x.value, y.value);
}

void CompiledExpression::EvaluateGrid(std::span<const KvCoordinate> xs, std::span<const KvCoordinate> ys,
                                      double* values) const {
    const std::size_t columns = xs.size();
    const std::size_t rows = ys.empty() ? 1 : ys.size();
    const auto yAt = [&](std::size_t row) {
        return usesY_ && !ys.empty() ? Prepared(ys[row]) : KvCoordinate{0, 0, digits_};
    };
    if (!compiled_) {
        for (std::size_t r = 0; r < rows; ++r) {
            for (std::size_t c = 0; c < columns; ++c) values[r * columns + c] = TextValue(xs[c].value, yAt(r).value);
        }
        return;
    }
    std::vector<double> x(columns), xRounded(columns);
    for (std::size_t c = 0; c < columns; ++c) {
        const KvCoordinate prepared = Prepared(xs[c]);
        x[c] = prepared.value;
        xRounded[c] = prepared.rounded;
    }
    Registers registers(depth_, kLanes);
    HoistedValues columnValues(columnValues_, columns), rowValues(rowValues_, 1);
    // What depends on x alone, once per column.
    for (std::size_t c = 0; c < columns; c += kLanes) {
        const Lanes lanes{.count = std::min(kLanes, columns - c), .x = xRounded.data() + c,
                          .store = columnValues.View().Offset(c)};
        compiled::Run(perColumn_, lanes, registers);
    }
    for (std::size_t r = 0; r < rows; ++r) {
        const KvCoordinate y = yAt(r);
        // What depends on y alone, once per row.
        compiled::Run(perRow_, Lanes{.y = y.rounded, .store = rowValues.View()}, registers);
        double* const out = values + r * columns;
        for (std::size_t c = 0; c < columns; c += kLanes) {
            const Lanes lanes{.count = std::min(kLanes, columns - c), .columns = columnValues.View().Offset(c),
                              .rows = rowValues.View()};
            compiled::Run(perPoint_, lanes, registers);
            for (std::size_t l = 0; l < lanes.count; ++l) out[c + l] = Result(registers, l, x[c + l], y.value);
        }
    }
}

}  // namespace abacor
