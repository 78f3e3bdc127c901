#include "history_capture.h"

#include <algorithm>
#include <iterator>
#include <span>

#include <QComboBox>
#include <QLineEdit>

#include "abacor.h"
#include "control_ids.h"
#include "graph_session.h"
#include "qt_ports.h"
#include "system_panel.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

enum class Answer { Display, Fraction, EquationRows, InequalityAnswer, QuadraticRoots, SystemAnswer, Graph };

struct CalculationAction {
    int control;
    int command;
    Answer answer;
};

constexpr CalculationAction kActions[] = {
    {KV_STD_EQUALS, KV_CMD_STANDARD, Answer::Display},
    {KV_SCI_EQUALS, KV_CMD_SCIENTIFIC, Answer::Display},
    {KV_FRACTION_SOLVE, KV_CMD_FRACTIONS, Answer::Fraction},
    {KV_EQ_SOLVE, KV_CMD_EQUATIONS, Answer::EquationRows},
    {KV_INEQ_SOLVE, KV_CMD_INEQUALITIES, Answer::InequalityAnswer},
    {KV_QUADRATIC_SOLVE, KV_CMD_QUADRATIC, Answer::QuadraticRoots},
    {KV_SYS_SOLVE, KV_CMD_SYSTEM, Answer::SystemAnswer},
    {KV_GRAPH_BUILD, KV_CMD_GRAPHS, Answer::Graph},
};

// The quadratic fields in the order of the equation they spell.
constexpr int kQuadraticFields[] = {KV_QUADRATIC_A, KV_QUADRATIC_SIGN_B, KV_QUADRATIC_B, KV_QUADRATIC_SIGN_C,
                                    KV_QUADRATIC_C};

struct AnswerRow {
    int label;
    int value;
};

constexpr AnswerRow kEquationRows[] = {
    {KV_EQ_ROW1_LABEL, KV_EQ_ROW1_VALUE},
    {KV_EQ_ROW2_LABEL, KV_EQ_ROW2_VALUE},
    {KV_EQ_ROW3_LABEL, KV_EQ_ROW3_VALUE},
    {KV_EQ_ROW4_LABEL, KV_EQ_ROW4_VALUE},
};
constexpr AnswerRow kQuadraticRoots[] = {
    {KV_QUADRATIC_ROOT1_LABEL, KV_QUADRATIC_ROOT1},
    {KV_QUADRATIC_ROOT2_LABEL, KV_QUADRATIC_ROOT2},
};

const QString kJoint = QStringLiteral("; ");

const CalculationAction* FindAction(int controlId) {
    for (const CalculationAction& action : kActions) {
        if (action.control == controlId) return &action;
    }
    return nullptr;
}

QList<int> InputFields(int command, const ControlRegistry& registry) {
    switch (command) {
        case KV_CMD_STANDARD:
        case KV_CMD_SCIENTIFIC: return {KV_DISPLAY};
        case KV_CMD_FRACTIONS: return {KV_FRACTION_LINE};
        case KV_CMD_EQUATIONS: return {KV_EQ_INPUT};
        case KV_CMD_INEQUALITIES: return {KV_INEQ_INPUT};
        case KV_CMD_QUADRATIC: return {std::begin(kQuadraticFields), std::end(kQuadraticFields)};
        case KV_CMD_GRAPHS: return {KV_GRAPH_INPUT};
        case KV_CMD_SYSTEM: {
            QList<int> rows;
            for (int id = KV_SYS_FIRST_ROW; id < KV_SYS_FIRST_ROW + KV_SYS_MAX_ROWS && registry.widget(id); ++id) {
                rows << id;
            }
            return rows;
        }
        default: return {};
    }
}

// A sign list is kept as its index, so that the text of its items may change.
QString FieldValue(const ControlRegistry& registry, int id) {
    if (const auto* list = registry.get<QComboBox>(id)) return QString::number(list->currentIndex());
    if (const auto* field = registry.get<QLineEdit>(id)) return field->text();
    return {};
}

void SetFieldValue(const ControlRegistry& registry, int id, const QString& value) {
    if (auto* list = registry.get<QComboBox>(id)) list->setCurrentIndex(value.toInt());
    else if (auto* field = registry.get<QLineEdit>(id)) field->setText(value);
}

QString SignText(const QString& index) { return QString::fromUtf8(index == QLatin1String("1") ? ui::kMinus : ui::kPlus); }

// "2x² − 3x + 1 = 0" from the five quadratic fields.
QString QuadraticText(const QStringList& inputs) {
    if (inputs.size() != std::ssize(kQuadraticFields)) return inputs.join(QLatin1Char(' '));
    return QStringLiteral("%1%2 %3 %4%5 %6 %7 %8")
        .arg(inputs[0], QString::fromUtf8(ui::kSquareLabel), SignText(inputs[1]), inputs[2],
             QString::fromUtf8(ui::kXLabel), SignText(inputs[3]), inputs[4], QString::fromUtf8(ui::kEqualsZeroLabel));
}

QString InputText(int command, const QStringList& inputs) {
    if (command == KV_CMD_QUADRATIC) return QuadraticText(inputs);
    QStringList filled = inputs;
    filled.removeAll(QString());
    return filled.join(kJoint);
}

QString Text(const ControlRegistry& registry, int id) {
    const auto* field = registry.get<QLineEdit>(id);
    return field ? field->text() : QString();
}

bool Shown(const ControlRegistry& registry, int id) {
    const QWidget* widget = registry.widget(id);
    return widget && !widget->isHidden();
}

QString RowsText(const ControlRegistry& registry, std::span<const AnswerRow> rows) {
    QStringList shown;
    for (const AnswerRow& row : rows) {
        const QString value = Text(registry, row.value);
        if (!Shown(registry, row.value) || value.isEmpty()) continue;
        const QWidget* label = registry.widget(row.label);
        const QString labelText = label ? label->property("text").toString() : QString();
        shown << (labelText.trimmed() + QLatin1Char(' ') + value).trimmed();
    }
    return shown.join(kJoint);
}

// The solver hides the parts an answer has not, and leaves their old text in them.
QString FractionText(const ControlRegistry& registry) {
    const auto shownText = [&registry](int id) { return Shown(registry, id) ? Text(registry, id) : QString(); };
    const QString whole = shownText(KV_FRACTION_WHOLE);
    const QString numerator = shownText(KV_FRACTION_NUMERATOR);
    const QString denominator = shownText(KV_FRACTION_DENOMINATOR);
    if (numerator.isEmpty() || denominator.isEmpty()) return whole;
    return (whole + QLatin1Char(' ') + numerator + QLatin1Char('/') + denominator).trimmed();
}

QStringList TrimmedLines(const QStringList& lines) {
    QStringList trimmed;
    for (const QString& line : lines) trimmed << line.trimmed();
    return trimmed;
}

QString AnswerText(const CalculationSources& sources, Answer answer) {
    const ControlRegistry& registry = sources.registry;
    switch (answer) {
        case Answer::Display: return Text(registry, KV_DISPLAY);
        case Answer::Fraction: return FractionText(registry);
        case Answer::EquationRows: return RowsText(registry, kEquationRows);
        case Answer::InequalityAnswer: return Text(registry, KV_INEQ_ANSWER);
        case Answer::QuadraticRoots: return RowsText(registry, kQuadraticRoots);
        case Answer::SystemAnswer: return TrimmedLines(sources.system.answer()).join(kJoint);
        case Answer::Graph:
            return sources.graph.formulaText().empty() ? QString() : QString::fromUtf8(ui::kHistoryPlotted);
    }
    return {};
}

// The graph is the program's own; every other action reports through the library's status.
bool Answered(Answer answer) {
    if (answer == Answer::Graph) return true;
    const int status = GetLastStatus();
    return status == KV_STATUS_ANSWERED || status == KV_STATUS_NO_ANSWER;
}

// The system panel adds and removes its rows through its own buttons.
void MatchSystemRows(qsizetype rows, const SystemPanel& system, const CommandSink& command) {
    const qsizetype wanted = std::clamp<qsizetype>(rows, 1, KV_SYS_MAX_ROWS);
    while (system.rowCount() < wanted) command(KV_SYS_ADD, kClicked);
    while (system.rowCount() > wanted) command(KV_SYS_REMOVE, kClicked);
}

}  // namespace

std::optional<Calculation> StartCalculation(const ControlRegistry& registry, int controlId, int code) {
    const CalculationAction* action = code == kClicked ? FindAction(controlId) : nullptr;
    if (!action) return std::nullopt;
    QStringList inputs;
    for (int id : InputFields(action->command, registry)) inputs << FieldValue(registry, id);
    Calculation calculation{action->command, inputs, InputText(action->command, inputs), {}};
    if (calculation.text.trimmed().isEmpty()) return std::nullopt;
    return calculation;
}

std::optional<Calculation> FinishCalculation(const CalculationSources& sources, int controlId, Calculation started) {
    const CalculationAction* action = FindAction(controlId);
    if (!action || !Answered(action->answer)) return std::nullopt;
    started.result = AnswerText(sources, action->answer);
    if (started.result.isEmpty() || started.result == started.text) return std::nullopt;
    return started;
}

void TakeBackCalculation(const Calculation& calculation, const CalculationSources& sources,
                         const CommandSink& command) {
    command(calculation.command, kClicked);
    if (calculation.command == KV_CMD_SYSTEM) MatchSystemRows(calculation.inputs.size(), sources.system, command);
    const QList<int> fields = InputFields(calculation.command, sources.registry);
    for (qsizetype i = 0; i < fields.size() && i < calculation.inputs.size(); ++i) {
        SetFieldValue(sources.registry, fields[i], calculation.inputs[i]);
    }
    if (QWidget* first = fields.isEmpty() ? nullptr : sources.registry.widget(fields.front())) first->setFocus();
}

}  // namespace kelvora
