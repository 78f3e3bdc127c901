// Closing the main window ends the program with exit code 0, also while the Steps
// window's nested loop runs.
#include "control_ids.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::Shell;

namespace {

constexpr int kWatchdogMs = 10000;
constexpr int kGaveUp = 99;

// Runs the program's event loop as main() does, with `act` called once it runs.
int RunProgram(const std::function<void()>& act) {
    QTimer::singleShot(0, act);
    QTimer::singleShot(kWatchdogMs, [] { QCoreApplication::exit(kGaveUp); });
    return QCoreApplication::exec();
}

}  // namespace

class LifecycleTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void closingEndsWithZero() {
        Shell shell;
        QCOMPARE(RunProgram([&] { shell.window.close(); }), 0);
    }

    void closingWhileStepsWindowIsOpenEndsWithZero() {
        Shell shell;
        shell.choose(KV_CMD_EQUATIONS);
        bool stepsOpened = false;
        bool clickReturned = false;
        QTimer closer;
        closer.setInterval(10);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (shell.desktop.openTextWindows().empty()) return;
            stepsOpened = true;
            shell.window.close();  // the user closes the main window, not the Steps window
        });
        closer.start();
        const int exitCode = RunProgram([&] {
            shell.click(KV_EQ_STEPS);  // "i": returns only when the nested loop ends
            clickReturned = true;
        });
        QVERIFY(stepsOpened);
        QVERIFY(clickReturned);
        QCOMPARE(exitCode, 0);
        QVERIFY(shell.desktop.openTextWindows().empty());
    }

    void noStepsWindowOpensAfterClosing() {
        Shell shell;
        shell.choose(KV_CMD_EQUATIONS);
        int exitCode = RunProgram([&] {
            shell.window.close();
            shell.window.command(KV_EQ_STEPS, 0);  // a click still queued behind the close
        });
        QCOMPARE(exitCode, 0);
        QVERIFY(shell.desktop.openTextWindows().empty());
    }
};

QTEST_MAIN(LifecycleTest)
#include "lifecycle_test.moc"
