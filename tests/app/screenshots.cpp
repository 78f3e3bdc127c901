// Saves a picture of every mode, with something solved in it, into the build folder
// (screenshots/*.png), for a person to compare with the intended layouts.
#include <QDir>

#include "abacor.h"
#include "graph_harness.h"
#include "control_ids.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::Shell;

class Screenshots : public QObject {
    Q_OBJECT

private:
    static void save(Shell& shell, const QString& name) {
        QDir().mkpath(QStringLiteral(KELVORA_SCREENSHOT_DIR));
        const QString path = QStringLiteral(KELVORA_SCREENSHOT_DIR "/%1.png").arg(name);
        const QImage image = shell.window.grab().toImage();
        QVERIFY(image.save(path));
        QVERIFY(QFileInfo(path).size() > 0);
    }

    static void type(Shell& shell, int id, const QString& text) {
        shell.get<QLineEdit>(id)->setFocus();
        kelvora::test::TypeText(shell.get<QLineEdit>(id), text);
    }

private Q_SLOTS:
    void init() { SetPrecision(-1); }

    void standard() {
        Shell shell;
        shell.press("1 2 + 3 = MS");
        save(shell, "1-standard");
        shell.press("Mⅴ");
        save(shell, "1-standard-memory-list");
    }

    void scientific() {
        Shell shell;
        shell.choose(KV_CMD_SCIENTIFIC);
        shell.press("2 x^y 1 0 =");
        save(shell, "2-scientific");
    }

    void fractions() {
        Shell shell;
        shell.choose(KV_CMD_FRACTIONS);
        type(shell, KV_FRACTION_LINE, "1/2+1/3");
        shell.click(KV_FRACTION_SOLVE);
        save(shell, "3-fractions");
    }

    void equations() {
        Shell shell;
        shell.choose(KV_CMD_EQUATIONS);
        shell.press("𝑥 ^ 2 - 5 × 𝑥 + 6 = 0");
        shell.click(KV_EQ_SOLVE);
        save(shell, "4-equations");

        // The Steps window, pictured while its nested loop runs, then closed.
        QTimer timer;
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            for (QWidget* steps : shell.desktop.openTextWindows()) {
                QVERIFY(steps->grab().toImage().save(QStringLiteral(KELVORA_SCREENSHOT_DIR "/4-steps.png")));
                steps->close();
            }
        });
        timer.start();
        shell.click(KV_EQ_STEPS);
        QVERIFY(QFileInfo::exists(QStringLiteral(KELVORA_SCREENSHOT_DIR "/4-steps.png")));
    }

    void inequalities() {
        Shell shell;
        shell.choose(KV_CMD_INEQUALITIES);
        shell.press("𝑥 ^ 2 - 4 > 0");
        shell.click(KV_INEQ_SOLVE);
        save(shell, "5-inequalities");
    }

    void quadratic() {
        Shell shell;
        shell.choose(KV_CMD_QUADRATIC);
        type(shell, KV_QUADRATIC_A, "1");
        shell.pick(KV_QUADRATIC_SIGN_B, 1);
        type(shell, KV_QUADRATIC_B, "3");
        type(shell, KV_QUADRATIC_C, "2");
        shell.click(KV_QUADRATIC_SOLVE);
        save(shell, "6-quadratic");
    }

    void systems() {
        Shell shell;
        shell.choose(KV_CMD_SYSTEM);
        type(shell, KV_SYS_FIRST_ROW, "2x+y=5");
        shell.click(KV_SYS_ADD);
        type(shell, KV_SYS_FIRST_ROW + 1, "x-y=1");
        shell.click(KV_SYS_SOLVE);
        save(shell, "7-systems");
    }

    void settings() {
        Shell shell;
        shell.choose(KV_CMD_SETTINGS);
        save(shell, "8-settings");
    }

    void graphs() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        shell.window.resize(700, 560);
        type(shell, KV_GRAPH_INPUT, "x^2;sin(x);x^2+y^2=25");
        shell.click(KV_GRAPH_BUILD);
        shell.window.grab();  // traced here; the zoom and the pan below reuse the curves
        kelvora::test::Wheel(&shell.window, QPoint(350, 300), 120);
        kelvora::test::Drag(&shell.window, QPoint(350, 300), {QPoint(300, 330), QPoint(250, 360)});
        save(shell, "9-graphs");
    }

    // Curves broken where their functions are not defined.
    void graphDomains() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        shell.window.resize(700, 560);
        type(shell, KV_GRAPH_INPUT, "sqrt(x);ln(x);1/x;y=sqrt(0-x)+1");
        shell.click(KV_GRAPH_BUILD);
        save(shell, "10-graph-domains");
    }
};

QTEST_MAIN(Screenshots)
#include "screenshots.moc"
