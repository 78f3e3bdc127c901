#include "controls.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "fonts.h"
#include "key_filter.h"
#include "key_names.h"
#include "qt_ports.h"
#include "shortcuts.h"

namespace kelvora {

namespace {

constexpr int kFormulaHeight = 25;
constexpr int kFormulaFontHeight = 20;

}  // namespace

Controls::Controls(QWidget& parent, ControlRegistry& registry, CommandSink command)
    : parent_(parent), registry_(registry), command_(std::move(command)) {}

template <typename Widget>
Widget* Controls::place(int id, Widget* widget, QRect rect, bool visible) const {
    widget->setGeometry(rect);
    widget->setVisible(visible);
    if (const QString name = AccessibleName(id); !name.isEmpty()) widget->setAccessibleName(name);
    return registry_.add(id, widget);
}

QPushButton* Controls::button(int id, const QString& text, QRect rect, bool visible) const {
    auto* button = new QPushButton(text, &parent_);
    // A click leaves the focus where it was (the display, a panel's field); Tab still
    // reaches the key.
    button->setFocusPolicy(Qt::TabFocus);
    button->setToolTip(KeyToolTip(id));
    QObject::connect(button, &QPushButton::clicked, [command = command_, id] { command(id, kClicked); });
    return place(id, button, rect, visible);
}

QLabel* Controls::label(int id, const QString& text, QRect rect) const {
    auto* label = new QLabel(text, &parent_);
    label->setTextFormat(Qt::PlainText);
    label->setFont(ShellFont(0, kBold));
    return place(id, label, rect, false);
}

QLineEdit* Controls::inputField(int id, QRect rect) const { return place(id, new QLineEdit(&parent_), rect, false); }

QLineEdit* Controls::resultField(int id, QRect rect) const {
    auto* field = new QLineEdit(&parent_);
    field->setReadOnly(true);
    field->setAlignment(Qt::AlignCenter);
    return place(id, field, rect, false);
}

QComboBox* Controls::dropDownList(int id, const QStringList& items, int x, int y, int width, bool visible) const {
    auto* list = new QComboBox(&parent_);
    list->addItems(items);
    // Only what the user picks counts as a selection change; the program's own
    // setCurrentIndex calls do not.
    QObject::connect(list, &QComboBox::activated, [command = command_, id] { command(id, kSelectionChanged); });
    return place(id, list, QRect(x, y, width, list->sizeHint().height()), visible);
}

QLineEdit* Controls::formulaEdit(int id, int x, int y, int width, bool (*accepts)(char32_t)) const {
    QLineEdit* edit = inputField(id, QRect(x, y, width, kFormulaHeight));
    edit->setFont(ShellFont(kFormulaFontHeight, kBold));
    FilterCharacters(edit, accepts ? accepts : IsFormulaCharacter);
    return edit;
}

QFrame* Controls::etchedLine(int id, QRect rect) const {
    auto* line = new QFrame(&parent_);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    return place(id, line, rect, false);
}

}  // namespace kelvora
