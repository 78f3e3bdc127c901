#include "panels.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "control_ids.h"
#include "controls.h"
#include "fonts.h"
#include "key_filter.h"
#include "keypads.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

constexpr int kLabelHeight = 20;
// The formula inputs run far past the window's right edge.
constexpr int kFormulaInputWidth = 1920;

struct LabelSpec {
    int id;
    const char* text;
    int x, y, width;
};

void CreateLabels(const Controls& controls, std::initializer_list<LabelSpec> labels) {
    for (const LabelSpec& label : labels) {
        controls.label(label.id, QString::fromUtf8(label.text), QRect(label.x, label.y, label.width, kLabelHeight));
    }
}

QLineEdit* CoefficientField(const Controls& controls, int id, int x) {
    QLineEdit* field = controls.inputField(id, QRect(x, 70, 50, 20));
    field->setAlignment(Qt::AlignCenter);
    FilterCharacters(field, IsNumberCharacter);
    return field;
}

// Twenty pixels hold the sign or an arrow, not both: the sign is what the user must see.
void SignList(const Controls& controls, int id, int x) {
    const QStringList signs{QString::fromUtf8(ui::kPlus), QString::fromUtf8(ui::kMinus)};
    QComboBox* list = controls.dropDownList(id, signs, x, 70, 20);
    list->setStyleSheet(QStringLiteral("QComboBox { padding: 0px 0px 0px 5px; }"
                                       "QComboBox::drop-down { width: 0px; border: none; }"
                                       "QComboBox::down-arrow { image: none; }"));
    list->resize(list->width(), 20);
}

}  // namespace

void CreateFractionsPanel(const Controls& controls) {
    QLineEdit* line = controls.inputField(KV_FRACTION_LINE, QRect(5, 60, 310, 25));
    line->setAlignment(Qt::AlignCenter);
    line->setFont(ShellFont(20, kBold));
    controls.button(KV_FRACTION_SOLVE, QString::fromUtf8(ui::kSolve), QRect(80, 90, 150, 25));
    controls.resultField(KV_FRACTION_WHOLE, QRect(105, 160, 50, 20))->setFont(ShellFont(15, kBold));
    controls.resultField(KV_FRACTION_NUMERATOR, QRect(165, 145, 50, 20));
    controls.resultField(KV_FRACTION_DENOMINATOR, QRect(165, 175, 50, 20));
    controls.etchedLine(KV_FRACTION_SEPARATOR, QRect(0, 260, 400, 4));
}

void CreateEquationPanel(const Controls& controls) {
    controls.formulaEdit(KV_EQ_INPUT, 5, 60, kFormulaInputWidth);
    CreateEquationKeypad(controls);
    controls.button(KV_EQ_SOLVE, QString::fromUtf8(ui::kSolve), QRect(180, 95, 100, 20));
    controls.button(KV_EQ_STEPS, QString::fromUtf8(ui::kSteps), QRect(290, 95, 20, 20));
    // The solver writes the labels of rows 3 and 4 as well; they stand beside their
    // values like the first two.
    CreateLabels(controls, {{KV_EQ_ROW1_LABEL, ui::kRootLabel, 180, 130, 30},
                            {KV_EQ_SPARE_LABEL, ui::kRoot1Label, 180, 130, 30},
                            {KV_EQ_ROW2_LABEL, ui::kRoot2Label, 180, 160, 30},
                            {KV_EQ_ROW3_LABEL, ui::kRoot3Label, 180, 190, 30},
                            {KV_EQ_ROW4_LABEL, ui::kRoot4Label, 180, 220, 30}});
    for (const auto& [id, y] : {std::pair{KV_EQ_ROW1_VALUE, 130}, {KV_EQ_ROW2_VALUE, 160}, {KV_EQ_ROW3_VALUE, 190},
                                {KV_EQ_ROW4_VALUE, 220}, {KV_EQ_SPARE_VALUE, 130}}) {
        controls.resultField(id, QRect(215, y, 100, 20));
    }
}

void CreateInequalityPanel(const Controls& controls) {
    controls.formulaEdit(KV_INEQ_INPUT, 5, 60, kFormulaInputWidth, IsInequalityCharacter);
    CreateInequalityKeypad(controls);
    controls.button(KV_INEQ_SOLVE, QString::fromUtf8(ui::kSolve), QRect(190, 90, 100, 50));
    controls.button(KV_INEQ_STEPS, QString::fromUtf8(ui::kSteps), QRect(320, 90, 50, 50));
    controls.resultField(KV_INEQ_ANSWER, QRect(240, 150, 130, 20));
}

void CreateQuadraticPanel(const Controls& controls) {
    CoefficientField(controls, KV_QUADRATIC_A, 5);
    SignList(controls, KV_QUADRATIC_SIGN_B, 85);
    CoefficientField(controls, KV_QUADRATIC_B, 110);
    SignList(controls, KV_QUADRATIC_SIGN_C, 180);
    CoefficientField(controls, KV_QUADRATIC_C, 200);
    controls.button(KV_QUADRATIC_SOLVE, QString::fromUtf8(ui::kSolve), QRect(100, 110, 100, 20));
    CreateLabels(controls, {{KV_QUADRATIC_SQUARE_LABEL, ui::kSquareLabel, 60, 70, 20},
                            {KV_QUADRATIC_X_LABEL, ui::kXLabel, 165, 70, 15},
                            {KV_QUADRATIC_EQUALS_LABEL, ui::kEqualsZeroLabel, 255, 70, 30},
                            {KV_QUADRATIC_ROOT1_LABEL, ui::kQuadraticRoot1Label, 5, 160, 30},
                            {KV_QUADRATIC_ROOT2_LABEL, ui::kQuadraticRoot2Label, 5, 210, 30}});
    controls.resultField(KV_QUADRATIC_ROOT1, QRect(40, 160, 200, 20));
    controls.resultField(KV_QUADRATIC_ROOT2, QRect(40, 210, 200, 20));
}

}  // namespace kelvora
