// Drives the real program offscreen: a main window opened as the program opens it, real
// mouse clicks on its buttons, and message boxes and Steps windows answered as a user
// would answer them.
#pragma once

#include <functional>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "main_window.h"

namespace kelvora::test {

// Types the text key by key, as a keyboard would, also characters beyond Latin-1.
inline void TypeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text) {
        const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(ch), Qt::NoModifier);
    }
}

// A fresh main window, shown, after its start-up command has run.
class Shell {
public:
    Shell() : window(desktop) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) QTest::qFail("the main window never showed", __FILE__, __LINE__);
        QCoreApplication::processEvents();
    }

    template <typename Widget = QWidget>
    Widget* get(int id) const {
        auto* widget = window.controls().get<Widget>(id);
        if (!widget) QTest::qFail(qPrintable(QStringLiteral("no control %1 of that kind").arg(id)), __FILE__, __LINE__);
        return widget;
    }

    // A mouse click, as the user makes it: only on a button that can be seen.
    void click(int id) const {
        auto* button = get<QAbstractButton>(id);
        if (!button) return;
        if (!button->isVisible()) {
            QTest::qFail(qPrintable(QStringLiteral("button %1 is hidden").arg(id)), __FILE__, __LINE__);
            return;
        }
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void click(std::initializer_list<int> ids) const {
        for (int id : ids) click(id);
    }

    // Chooses the item of the mode menu (or its sub-menu) that sends this command.
    void choose(int command) const {
        if (QAction* item = window.menuItem(command)) return item->trigger();
        QTest::qFail(qPrintable(QStringLiteral("no menu item %1").arg(command)), __FILE__, __LINE__);
    }

    // Clicks the visible key with this label, for each label of a space-separated line.
    void press(const QString& labels) const {
        for (const QString& label : labels.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            QPushButton* key = nullptr;
            for (QPushButton* button : window.findChildren<QPushButton*>()) {
                if (button->isVisible() && button->text() == label) key = button;
            }
            if (!key) return QTest::qFail(qPrintable("no visible key " + label), __FILE__, __LINE__);
            QTest::mouseClick(key, Qt::LeftButton);
        }
    }

    // The user picks item `index` of a drop-down list with the keyboard.
    void pick(int listId, int index) const {
        auto* list = get<QComboBox>(listId);
        if (!list) return;
        list->setFocus();
        // Counted from the start: a handler may put the selection back on its own.
        const int steps = index - list->currentIndex();
        for (int i = 0; i < std::abs(steps); ++i) QTest::keyClick(list, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    }

    QString text(int id) const {
        if (auto* edit = window.controls().get<QLineEdit>(id)) return edit->text();
        if (auto* label = window.controls().get<QLabel>(id)) return label->text();
        QTest::qFail(qPrintable(QStringLiteral("no text control %1").arg(id)), __FILE__, __LINE__);
        return {};
    }

    bool visible(int id) const {
        QWidget* widget = window.controls().widget(id);
        return widget && widget->isVisible();
    }

    QtDesktop desktop;
    MainWindow window;
};

struct SeenMessageBox {
    QString text;
    QString caption;
    QMessageBox::Icon icon;
    QStringList buttons;  // as shown, without mnemonics
};

// Answers every message box that opens while it lives, clicking the button that shows
// `answer`, and remembers what each box showed.
class MessageBoxes {
public:
    explicit MessageBoxes(QMessageBox::StandardButton answer = QMessageBox::Ok) : answer_(answer) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { answerOpenBox(); });
        timer_.start();
    }

    std::vector<SeenMessageBox> seen;

private:
    void answerOpenBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        SeenMessageBox record{box->text(), box->windowTitle(), box->icon(), {}};
        for (QAbstractButton* button : box->buttons()) record.buttons << button->text().remove(QLatin1Char('&'));
        seen.push_back(record);
        QAbstractButton* button = box->button(answer_);
        if (!button) button = box->buttons().value(0);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QMessageBox::StandardButton answer_;
    QTimer timer_;
};

// While a Steps window is open: what it shows, then the user closes it.
struct SeenStepsWindow {
    QString title;
    QString text;
};

inline std::vector<SeenStepsWindow> CloseStepsWindowsAsTheyOpen(QtDesktop& desktop, std::function<void()> action) {
    std::vector<SeenStepsWindow> seen;
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        for (QWidget* window : desktop.openTextWindows()) {
            auto* text = window->findChild<QPlainTextEdit*>();
            seen.push_back({window->windowTitle(), text ? text->toPlainText() : QString()});
            window->close();
        }
    });
    timer.start();
    action();
    return seen;
}

}  // namespace kelvora::test
