// The program as it starts for a user, with its settings file in a temporary folder: a
// restart is a new window on the same file.
#pragma once

#include <memory>

#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "main_window.h"
#include "settings_store.h"

namespace kelvora::test {

class PersistentShell {
public:
    explicit PersistentShell(const QString& fileName) : store(fileName), window(desktop) {
        window.persistIn(store);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) QTest::qFail("the main window never showed", __FILE__, __LINE__);
        // The start-up command and then the kept mode run from the event queue.
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    // The user closes the window while the program runs, which ends the program's loop:
    // what the window keeps at closing goes to the file.
    ~PersistentShell() {
        QTimer::singleShot(0, &window, [this] { window.close(); });
        QCoreApplication::exec();
    }

    template <typename Widget = QWidget>
    Widget* get(int id) const {
        auto* widget = window.controls().get<Widget>(id);
        if (!widget) QTest::qFail(qPrintable(QStringLiteral("no control %1 of that kind").arg(id)), __FILE__, __LINE__);
        return widget;
    }

    void click(int id) const {
        auto* button = get<QAbstractButton>(id);
        if (!button) return;
        if (button->isVisible()) return QTest::mouseClick(button, Qt::LeftButton);
        QTest::qFail(qPrintable(QStringLiteral("button %1 is hidden").arg(id)), __FILE__, __LINE__);
    }

    void type(int id, const QString& text) const {
        auto* edit = get<QLineEdit>(id);
        if (!edit) return;
        edit->setFocus();
        for (const QChar ch : text) {
            const auto key = static_cast<Qt::Key>(ch.toUpper().unicode());
            QTest::sendKeyEvent(QTest::Click, edit, key, QString(ch), Qt::NoModifier);
        }
    }

    void choose(int command) const {
        if (QAction* item = window.menuItem(command)) return item->trigger();
        QTest::qFail(qPrintable(QStringLiteral("no menu item %1").arg(command)), __FILE__, __LINE__);
    }

    QtDesktop desktop;
    SettingsStore store;
    MainWindow window;
};

// A settings file of its own for each test, gone with the test.
class SettingsFile {
public:
    QString path() const { return dir_.filePath(QStringLiteral("kelvora.conf")); }

private:
    QTemporaryDir dir_;
};

}  // namespace kelvora::test
