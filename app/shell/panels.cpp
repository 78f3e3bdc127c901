#include "panels.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "controls.h"
#include "fonts.h"
#include "key_filter.h"
#include "keypads.h"

namespace kelvora {

namespace {

constexpr int kLabelHeight = 20;

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
    FilterCharacters(field, IsDigitCharacter);
    return field;
}

// Twenty pixels hold the sign or an arrow, not both: the sign is what the user must see.
void SignList(const Controls& controls, int id, int x) {
    QComboBox* list = controls.dropDownList(id, {QStringLiteral("+"), QStringLiteral("−")}, x, 70, 20);
    list->setStyleSheet(QStringLiteral("QComboBox { padding: 0px 0px 0px 5px; }"
                                       "QComboBox::drop-down { width: 0px; border: none; }"
                                       "QComboBox::down-arrow { image: none; }"));
    list->resize(list->width(), 20);
}

}  // namespace

void CreateFractionsPanel(const Controls& controls) {
    QLineEdit* line = controls.inputField(1203, QRect(5, 60, 310, 25));
    line->setAlignment(Qt::AlignCenter);
    line->setFont(ShellFont(20, kBold));
    controls.button(150, QStringLiteral("Решить"), QRect(80, 90, 150, 25));
    controls.resultField(1206, QRect(105, 160, 50, 20))->setFont(ShellFont(15, kBold));
    controls.resultField(1207, QRect(165, 145, 50, 20));
    controls.resultField(1208, QRect(165, 175, 50, 20));
    controls.etchedLine(154, QRect(0, 260, 400, 4));
}

void CreateEquationPanel(const Controls& controls) {
    controls.formulaEdit(1700, 5, 60, 1920);
    CreateEquationKeypad(controls);
    controls.button(1722, QStringLiteral("Решить"), QRect(180, 95, 100, 20));
    controls.button(1726, QStringLiteral("i"), QRect(290, 95, 20, 20));
    // The solver writes the labels of rows 3 and 4 (1743, 1744) as well; they stand
    // beside their values like the first two.
    CreateLabels(controls, {{1723, "X= ", 180, 130, 30},
                            {1741, "X₁= ", 180, 130, 30},
                            {1742, "X₂= ", 180, 160, 30},
                            {1743, "X₃= ", 180, 190, 30},
                            {1744, "X₄= ", 180, 220, 30}});
    for (const auto& [id, y] : {std::pair{1724, 130}, {1725, 160}, {1770, 190}, {1771, 220}, {1772, 130}}) {
        controls.resultField(id, QRect(215, y, 100, 20));
    }
}

void CreateInequalityPanel(const Controls& controls) {
    controls.formulaEdit(2100, 5, 60, 1920);
    CreateInequalityKeypad(controls);
    controls.button(2129, QStringLiteral("Решить"), QRect(190, 90, 100, 50));
    controls.button(2130, QStringLiteral("i"), QRect(320, 90, 50, 50));
    controls.resultField(2132, QRect(240, 150, 130, 20));
}

void CreateQuadraticPanel(const Controls& controls) {
    CoefficientField(controls, 1420, 5);
    SignList(controls, 1422, 85);
    CoefficientField(controls, 1423, 110);
    SignList(controls, 1425, 180);
    CoefficientField(controls, 1426, 200);
    controls.button(1428, QStringLiteral("Решить"), QRect(100, 110, 100, 20));
    CreateLabels(controls, {{1421, "x²", 60, 70, 20},
                            {1424, "x", 165, 70, 15},
                            {1427, "= 0", 255, 70, 30},
                            {1429, "x₁ = ", 5, 160, 30},
                            {1430, "x₂ = ", 5, 210, 30}});
    controls.resultField(1431, QRect(40, 160, 200, 20));
    controls.resultField(1432, QRect(40, 210, 200, 20));
}

}  // namespace kelvora
