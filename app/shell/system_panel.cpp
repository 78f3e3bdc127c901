#include "system_panel.h"

#include <algorithm>
#include <iterator>

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include "abacor.h"
#include "control_ids.h"
#include "controls.h"
#include "fonts.h"
#include "keyboard.h"
#include "qt_ports.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

constexpr int kResultCapacity = 512;
constexpr int kRowTextLimit = 255;

int RowY(int index) { return 30 * index + 80; }

// The row labels are quieter than the text: two thirds of the way from the window to it.
QColor QuietInk(QColor window, QColor ink) {
    const auto between = [](int from, int to) { return (from + 2 * to) / 3; };
    return {between(window.red(), ink.red()), between(window.green(), ink.green()), between(window.blue(), ink.blue())};
}

}  // namespace

QString SystemPanel::JoinRows(const QStringList& rows) {
    QString joined;
    bool first = true;
    for (const QString& row : rows) {
        if (!first && !row.isEmpty()) joined += QLatin1Char(';');
        if (!row.isEmpty()) joined += row;
        first = false;
    }
    return joined;
}

QStringList SystemPanel::AnswerLines(const QString& result) {
    QStringList lines = result.split(QLatin1Char('\n'));
    lines.removeLast();  // what follows the last line feed is no whole line
    lines.removeAll(QString());
    return lines;
}

QString SystemPanel::ReasonLine(const QString& report) {
    const QString frame = QStringLiteral(" \r\u2502\u2514\u250C\u2500\u2550");  // blanks, │ └ ┌ ─ ═
    const QChar warning(0x26A0);
    const QStringList lines = report.split(QLatin1Char('\n'));
    QString lastWords;
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        qsizetype first = 0;
        qsizetype last = line->size();
        while (first < last && frame.contains(line->at(first))) ++first;
        while (last > first && frame.contains(line->at(last - 1))) --last;
        if (first == last) continue;
        const QString words = line->mid(first, last - first);
        if (words.startsWith(warning)) return words;
        if (lastWords.isEmpty()) lastWords = words;
    }
    return lastWords;
}

void SystemPanel::enter() {
    if (!created_) createControls();
    for (int n = 0; n < rowCount_; ++n) setVisible(KV_SYS_FIRST_ROW + n, true);
    setVisible(KV_SYS_ADD, rowCount_ < KV_SYS_MAX_ROWS);
    setVisible(KV_SYS_REMOVE, rowCount_ > 1);
    setVisible(KV_SYS_SOLVE, true);
    setVisible(KV_SYS_STEPS, true);
    setVisible(KV_SYS_HINT, true);
}

void SystemPanel::createControls() {
    created_ = true;
    controls_.button(KV_SYS_ADD, QString::fromUtf8(ui::kPlus), QRect(0, 0, 30, 25));
    controls_.button(KV_SYS_REMOVE, QString::fromUtf8(ui::kMinus), QRect(0, 0, 30, 25));
    controls_.button(KV_SYS_SOLVE, QString::fromUtf8(ui::kSolve), QRect(0, 0, 150, 30));
    controls_.button(KV_SYS_STEPS, QString::fromUtf8(ui::kSteps), QRect(0, 0, 30, 30));
    QLabel* hint = controls_.label(KV_SYS_HINT, QString::fromUtf8(ui::kSystemHint), QRect(0, 0, 230, 40));
    hint->setFont(ShellFont(16, kNormal));
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    createRow(0);
    placeControls();
}

void SystemPanel::createRow(int index) {
    QLineEdit* row = controls_.inputField(KV_SYS_FIRST_ROW + index, QRect(70, RowY(index), 255, 25));
    LimitLength(*row, kRowTextLimit, desktop_, controls_.parent());
    row->show();
    // Tab goes from row to row, then to Solve and Steps.
    const ControlRegistry& registry = controls_.registry();
    if (QWidget* above = registry.widget(KV_SYS_FIRST_ROW + index - 1)) QWidget::setTabOrder(above, row);
    if (QWidget* solve = registry.widget(KV_SYS_SOLVE)) {
        QWidget::setTabOrder(row, solve);
        if (QWidget* steps = registry.widget(KV_SYS_STEPS)) QWidget::setTabOrder(solve, steps);
    }
    rowCount_ = index + 1;
}

void SystemPanel::afterForwarding(int controlId) {
    switch (controlId) {
        case KV_SYS_ADD: addRow(); break;
        case KV_SYS_REMOVE: removeRow(); break;
        case KV_SYS_SOLVE: solve(); break;
        case KV_SYS_STEPS: showSteps(); break;
        default: break;
    }
}

void SystemPanel::addRow() {
    setVisible(KV_SYS_HINT, true);
    if (rowCount_ >= KV_SYS_MAX_ROWS) return;
    createRow(rowCount_);
    if (rowCount_ == KV_SYS_MAX_ROWS) setVisible(KV_SYS_ADD, false);
    placeControls();
    setVisible(KV_SYS_REMOVE, rowCount_ > 1);
    controls_.parent().update();
}

void SystemPanel::removeRow() {
    setVisible(KV_SYS_HINT, true);
    if (rowCount_ < 2) return;
    --rowCount_;
    setVisible(KV_SYS_ADD, true);
    controls_.registry().destroy(KV_SYS_FIRST_ROW + rowCount_);
    placeControls();
    setVisible(KV_SYS_REMOVE, rowCount_ > 1);
    controls_.parent().update();
}

void SystemPanel::solve() {
    QStringList rows;
    for (int n = 0; n < rowCount_; ++n) {
        const auto* row = controls_.registry().get<QLineEdit>(KV_SYS_FIRST_ROW + n);
        rows << (row ? row->text().left(kRowTextLimit) : QString());
    }
    const QString joined = JoinRows(rows);
    if (joined.isEmpty()) {
        desktop_.showMessage(&controls_.parent(), QString::fromUtf8(ui::kNoEquations),
                             QString::fromUtf8(ui::kErrorCaption), QMessageBox::NoIcon, QMessageBox::Ok);
        return;
    }
    SolveSystem(ToWide(joined).c_str());
    wchar_t result[kResultCapacity] = {};
    GetSystemResult(result, kResultCapacity);
    answer_ = AnswerLines(QString::fromWCharArray(result));
    // Without an answer the report says why: that goes where the answer would.
    if (answer_.isEmpty()) answer_ = QStringList{ReasonLine(QString::fromWCharArray(GetLastSteps()))};
    answerShown_ = true;
    controls_.parent().update();
}

// The report of this panel's last solve; before any there is none of its own to show.
void SystemPanel::showSteps() {
    if (answerShown_) ShowStepsWindow(nullptr);
}

// The add and remove buttons stand beside the last row, the rest below it.
void SystemPanel::placeControls() const {
    const int n = rowCount_;
    const auto place = [this](int id, int x, int y) {
        if (QWidget* widget = controls_.registry().widget(id)) widget->move(x, y);
    };
    place(KV_SYS_ADD, 330, 30 * n + 50);
    place(KV_SYS_SOLVE, 70, 30 * n + 85);
    place(KV_SYS_STEPS, 230, 30 * n + 85);
    place(KV_SYS_REMOVE, 330, 30 * n + 80);
    place(KV_SYS_HINT, 100, 30 * n + 145);
}

void SystemPanel::setVisible(int controlId, bool visible) const {
    if (QWidget* widget = controls_.registry().widget(controlId)) widget->setVisible(visible);
}

void SystemPanel::paint(QPainter& painter) const {
    const int n = rowCount_;
    // The window's own colours, so that the dark theme reads too.
    const QPalette& colours = controls_.parent().palette();
    const QColor ink = colours.color(QPalette::WindowText);
    const QColor rowInk = QuietInk(colours.color(QPalette::Window), ink);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 2));
    const QPoint brace[] = {{22, 80}, {13, 88}, {10, 95}, {10, 30 * n + 65}, {13, 30 * n + 72}, {22, 30 * n + 80}};
    painter.drawPolyline(brace, static_cast<int>(std::size(brace)));
    painter.restore();

    const QFont rowFont = ShellFont(16, kNormal);
    for (int i = 0; i < n; ++i) {
        PaintText(painter, 30, 30 * i + 83, QString::fromUtf8(ui::kSystemRowLabel).arg(i + 1), rowFont,
                  rowInk);
    }
    if (!answerShown_) return;
    PaintText(painter, 28, 30 * n + 160, QString::fromUtf8(ui::kAnswer), ShellFont(18, kBold), ink);
    // A line too long for the window (a reason rather than a value) wraps.
    const QFont answerFont = ShellFont(18, kNormal);
    const int width = std::max(controls_.parent().width() - 38 - 10, 100);
    painter.save();
    painter.setFont(answerFont);
    painter.setPen(ink);
    int y = 30 * n + 182;
    for (const QString& line : answer_) {
        const QRect box = painter.boundingRect(QRect(38, y, width, QWIDGETSIZE_MAX), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, line);
        y += std::max(box.height(), 22);
    }
    painter.restore();
}

}  // namespace kelvora
