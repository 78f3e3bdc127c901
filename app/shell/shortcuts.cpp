#include "shortcuts.h"

#include <QKeyEvent>
#include <QStringList>

#include "control_ids.h"
#include "key_names.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

// Brackets, the power and the percent have a key on one keypad only; the engine takes
// their codes in either mode. Numpad keys type the same characters.
constexpr KeyBinding kKeypadBindings[] = {
    {"0", U"0", 0, 0, KV_STD_0, KV_SCI_0},
    {"1", U"1", 0, 0, KV_STD_1, KV_SCI_1},
    {"2", U"2", 0, 0, KV_STD_2, KV_SCI_2},
    {"3", U"3", 0, 0, KV_STD_3, KV_SCI_3},
    {"4", U"4", 0, 0, KV_STD_4, KV_SCI_4},
    {"5", U"5", 0, 0, KV_STD_5, KV_SCI_5},
    {"6", U"6", 0, 0, KV_STD_6, KV_SCI_6},
    {"7", U"7", 0, 0, KV_STD_7, KV_SCI_7},
    {"8", U"8", 0, 0, KV_STD_8, KV_SCI_8},
    {"9", U"9", 0, 0, KV_STD_9, KV_SCI_9},
    {", .", U",.", 0, 0, KV_STD_POINT, KV_SCI_POINT},
    {"+", U"+", 0, 0, KV_STD_PLUS, KV_SCI_PLUS},
    {"-", U"-\u2212", 0, 0, KV_STD_MINUS, KV_SCI_MINUS},
    {"*", U"*\u00D7", 0, 0, KV_STD_TIMES, KV_SCI_TIMES},
    {"/", U"/\u00F7", 0, 0, KV_STD_DIVIDE, KV_SCI_DIVIDE},
    {"^", U"^", 0, 0, KV_SCI_POWER, KV_SCI_POWER},
    {"%", U"%", 0, 0, KV_STD_PERCENT, KV_STD_PERCENT},
    {"(", U"(", 0, 0, KV_SCI_OPEN, KV_SCI_OPEN},
    {")", U")", 0, 0, KV_SCI_CLOSE, KV_SCI_CLOSE},
    {"Enter, =", U"=", Qt::Key_Return, Qt::Key_Enter, KV_STD_EQUALS, KV_SCI_EQUALS},
    {"Backspace", nullptr, Qt::Key_Backspace, 0, KV_STD_BACKSPACE, KV_SCI_BACKSPACE},
    {"Esc", nullptr, Qt::Key_Escape, 0, KV_STD_CLEAR, KV_SCI_CLEAR},
    {"Delete", nullptr, Qt::Key_Delete, 0, KV_STD_CLEAR_ENTRY, KV_SCI_CLEAR_ENTRY},
};

constexpr PanelKeys kPanelBindings[] = {
    {KV_FRACTION_LINE, KV_FRACTION_SOLVE, 0},
    {KV_EQ_INPUT, KV_EQ_SOLVE, KV_EQ_CLEAR},
    {KV_INEQ_INPUT, KV_INEQ_SOLVE, KV_INEQ_CLEAR},
    {KV_QUADRATIC_A, KV_QUADRATIC_SOLVE, 0},
    {KV_SYS_FIRST_ROW, KV_SYS_SOLVE, 0},
    {KV_GRAPH_INPUT, KV_GRAPH_BUILD, 0},
};

struct EditingKey {
    const char* shown;
    const char* meaning;
};

constexpr EditingKey kEditingKeys[] = {
    {"Ctrl+A", ui::kSelectAll}, {"Ctrl+C", ui::kCopy}, {"Ctrl+X", ui::kCut},
    {"Ctrl+V", ui::kPaste},     {"Ctrl+Z", ui::kUndo}, {"Ctrl+Shift+Z", ui::kRedo},
};

bool Types(const KeyBinding& binding, char32_t ch) {
    if (!binding.typed) return false;
    for (const char32_t* c = binding.typed; *c; ++c) {
        if (*c == ch) return true;
    }
    return false;
}

const KeyBinding* BindingOf(int code) {
    for (const KeyBinding& binding : kKeypadBindings) {
        if (binding.standard == code || binding.scientific == code) return &binding;
    }
    return nullptr;
}

QString HelpLine(const QString& keys, const QString& meaning) {
    return QString::fromUtf8(ui::kKeysHelpLine).arg(keys, meaning);
}

}  // namespace

std::span<const KeyBinding> KeypadBindings() { return kKeypadBindings; }

std::span<const PanelKeys> PanelBindings() { return kPanelBindings; }

const KeyBinding* FindKeypadBinding(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return nullptr;
    const QList<uint> typed = event.text().toUcs4();
    for (const KeyBinding& binding : kKeypadBindings) {
        if (binding.key && (event.key() == binding.key || event.key() == binding.otherKey)) return &binding;
        if (typed.size() == 1 && Types(binding, typed.front())) return &binding;
    }
    return nullptr;
}

int ButtonCode(const KeyBinding& binding, bool scientific) { return scientific ? binding.scientific : binding.standard; }

QString KeyToolTip(int controlId) {
    const QString name = AccessibleName(controlId);
    const KeyBinding* binding = BindingOf(controlId);
    if (name.isEmpty() || !binding) return name;
    return QString::fromUtf8(ui::kKeyToolTip).arg(name, QString::fromUtf8(binding->shown));
}

QString KeysHelpText() {
    QStringList lines{QString::fromUtf8(ui::kKeysHelpKeypad)};
    // The ten digits take one line.
    lines << HelpLine(QStringLiteral("0–9"), QString::fromUtf8(ui::kNameDigits));
    for (const KeyBinding& binding : kKeypadBindings) {
        if (binding.typed && binding.typed[0] >= U'0' && binding.typed[0] <= U'9') continue;
        lines << HelpLine(QString::fromUtf8(binding.shown), AccessibleName(binding.standard));
    }
    lines << QString() << QString::fromUtf8(ui::kKeysHelpPanels)
          << HelpLine(QStringLiteral("Enter"), QString::fromUtf8(ui::kRunPanel))
          << HelpLine(QStringLiteral("Esc"), QString::fromUtf8(ui::kClearField));
    lines << QString() << QString::fromUtf8(ui::kKeysHelpEditing);
    for (const EditingKey& key : kEditingKeys) lines << HelpLine(QString::fromUtf8(key.shown), QString::fromUtf8(key.meaning));
    lines << QString() << HelpLine(QString::fromLatin1(kHistoryShortcut), QString::fromUtf8(ui::kHistoryToggle));
    return lines.join(QLatin1Char('\n'));
}

}  // namespace kelvora
