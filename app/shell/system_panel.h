// The panel for systems of linear equations, run by the program itself: up to five
// equation rows, added and removed by the user, joined and handed to the library.
#pragma once

#include <vector>

#include <QString>
#include <QStringList>

class QPainter;

namespace kelvora {

class Controls;
class QtDesktop;

class SystemPanel {
public:
    SystemPanel(const Controls& controls, QtDesktop& desktop) : controls_(controls), desktop_(desktop) {}

    // Shows the panel, creating its first row and its buttons on first use.
    void enter();
    // Add, remove and solve act after the library has seen the click.
    void afterForwarding(int controlId);
    void paint(QPainter& painter) const;

    int rowCount() const { return rowCount_; }
    const QStringList& answer() const { return answer_; }

    // The rows' texts joined by ";"; empty rows add nothing, not even a separator.
    static QString JoinRows(const QStringList& rows);
    // The lines that end with a line feed; empty ones are dropped.
    static QStringList AnswerLines(const QString& result);
    // Why a report gives no answer: its last warning line (one that starts with "⚠"), or
    // else its last line of words, without the frame around it. A report may explain the
    // warning in lines after it; the answer field keeps the warning.
    static QString ReasonLine(const QString& report);

private:
    void createControls();
    void addRow();
    void removeRow();
    void solve();
    void showSteps();
    void createRow(int index);
    void placeControls() const;
    void setVisible(int controlId, bool visible) const;

    const Controls& controls_;
    QtDesktop& desktop_;
    bool created_ = false;
    int rowCount_ = 0;
    QStringList answer_;
    bool answerShown_ = false;
};

}  // namespace kelvora
