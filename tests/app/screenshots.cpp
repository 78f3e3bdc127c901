// Saves a picture of every mode, with something solved in it, into the build folder
// (screenshots/*.png), for a person to compare with the intended layouts. Run at 200 %
// (QT_SCALE_FACTOR=2) the pictures go to screenshots/scale-2/, each with a picture of
// the whole screen showing where the window stands on it.
#include <QDir>
#include <QPushButton>
#include <QPainter>
#include <QScreen>

#include "abacor.h"
#include "application.h"
#include "fonts.h"
#include "screen_fit.h"
#include "graph_harness.h"
#include "control_ids.h"
#include "shell_harness.h"
#include "ui_texts.h"

using namespace kelvora;
using kelvora::test::Shell;

class Screenshots : public QObject {
    Q_OBJECT

private:
    static bool scaled() { return qApp->devicePixelRatio() > 1; }

    static QString folder() {
        return QStringLiteral(KELVORA_SCREENSHOT_DIR) + (scaled() ? QStringLiteral("/scale-2") : QString());
    }

    static void save(Shell& shell, const QString& name) { save(shell, name, shell.window.grab().toImage()); }

    // The graph view once the worker has finished the view's curves.
    static void saveSettled(Shell& shell, const QString& name) {
        save(shell, name, kelvora::test::SettledPicture(shell.window));
    }

    static void save(Shell& shell, const QString& name, const QImage& image) {
        QDir().mkpath(folder());
        const QString path = folder() + QStringLiteral("/%1.png").arg(name);
        QVERIFY(image.save(path));
        QVERIFY(QFileInfo(path).size() > 0);
        if (scaled()) saveScreen(shell.window, image, folder() + QStringLiteral("/%1-screen.png").arg(name));
    }

    // The whole screen in device pixels with the window's frame outlined at its place.
    static void saveScreen(const QWidget& window, const QImage& picture, const QString& path) {
        const QScreen* screen = window.screen();
        const qreal ratio = screen->devicePixelRatio();
        QVERIFY2(screen->geometry().contains(window.frameGeometry()), qPrintable(path));
        QImage whole((screen->geometry().size() * ratio), QImage::Format_RGB32);
        whole.fill(Qt::darkGray);
        QPainter painter(&whole);
        const QRect frame(window.frameGeometry().topLeft() * ratio, window.frameGeometry().size() * ratio);
        painter.fillRect(frame, Qt::lightGray);
        painter.drawImage(QRect(window.geometry().topLeft() * ratio, window.size() * ratio), picture);
        painter.end();
        QVERIFY(whole.save(path));
    }

    // The size asked for, or as much of it as the screen holds.
    static void resizeOnScreen(Shell& shell, QSize size) {
        shell.window.resize(size.boundedTo(AvailableArea(shell.window).size() - FrameAllowance(shell.window)));
    }

    // Clicks the visible button with this text.
    static void clickButton(Shell& shell, const char* text) {
        for (QPushButton* button : shell.window.findChildren<QPushButton*>()) {
            if (button->isVisible() && button->text() == QString::fromUtf8(text)) return QTest::mouseClick(button, Qt::LeftButton);
        }
        QFAIL(text);
    }

    static void type(Shell& shell, int id, const QString& text) {
        shell.get<QLineEdit>(id)->setFocus();
        kelvora::test::TypeText(shell.get<QLineEdit>(id), text);
    }

private Q_SLOTS:
    void initTestCase() {
        QApplication::setWindowIcon(KelvoraIcon());
        UseEmojiFallback();
    }
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
        shell.press("C 0 , 5 2nd sin⁻¹");
        save(shell, "2-scientific-inverse-degrees");
    }

    // Messages and long answers that once were cut off.
    void longAnswers() {
        Shell shell;
        shell.choose(KV_CMD_QUADRATIC);
        type(shell, KV_QUADRATIC_A, "0");
        type(shell, KV_QUADRATIC_B, "1");
        shell.click(KV_QUADRATIC_SOLVE);
        QCoreApplication::processEvents();
        save(shell, "11-quadratic-message");
        shell.choose(KV_CMD_INEQUALITIES);
        shell.press("𝑥 ^ 2 - 4 0 > 0");
        shell.click(KV_INEQ_SOLVE);
        QCoreApplication::processEvents();
        save(shell, "12-inequality-long-answer");
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
                QVERIFY(steps->grab().toImage().save(folder() + QStringLiteral("/4-steps.png")));
                if (scaled()) {
                    QVERIFY(AvailableArea(*steps).contains(steps->frameGeometry()));
                    saveScreen(*steps, steps->grab().toImage(), folder() + QStringLiteral("/4-steps-screen.png"));
                }
                steps->close();
            }
        });
        timer.start();
        shell.click(KV_EQ_STEPS);
        QVERIFY(QFileInfo::exists(folder() + QStringLiteral("/4-steps.png")));
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
        resizeOnScreen(shell, QSize(700, 560));
        type(shell, KV_GRAPH_INPUT, "x^2;sin(x);x^2+y^2=25");
        shell.click(KV_GRAPH_BUILD);
        shell.window.grab();  // traced here; the zoom and the pan below reuse the curves
        kelvora::test::Wheel(&shell.window, QPoint(350, 300), 120);
        kelvora::test::Drag(&shell.window, QPoint(350, 300), {QPoint(300, 330), QPoint(250, 360)});
        saveSettled(shell, "9-graphs");
    }

    // Zoomed in at the mouse, with the legend, the key points, a marker clicked on a
    // curve and the coordinates under the mouse.
    void graphTools() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        resizeOnScreen(shell, QSize(900, 650));
        type(shell, KV_GRAPH_INPUT, "x^2-4;x+2;x^2+y^2=25");
        shell.click(KV_GRAPH_BUILD);
        clickButton(shell, ui::kGraphKeyPoints);
        const QSize size = shell.window.size();
        const QPoint middle(size.width() / 2, size.height() / 2 + 40);
        for (int i = 0; i < 3; ++i) kelvora::test::Wheel(&shell.window, middle, 120);
        kelvora::test::SettledPicture(shell.window);
        const graph::PlotArea area = shell.window.graphSession().view().area(size.width(), size.height());
        const auto at = [&area](double x, double y) { return QPoint(qRound(area.screenX(x)), qRound(area.screenY(y))); };
        QTest::mouseClick(&shell.window, Qt::LeftButton, Qt::NoModifier, at(1, -3));
        QVERIFY(shell.window.graphSession().marker().has_value());
        QTest::mouseMove(&shell.window, at(-1.5, 2.5));
        saveSettled(shell, "9-graphs-zoomed-tools");
        // The same picture as the program saves it in SVG, to open in a browser.
        QVERIFY(shell.window.saveGraphPicture(folder() + QStringLiteral("/9-graphs-zoomed-tools.svg")));

        // Panned far from the origin: the tick labels stay at the edges.
        kelvora::test::Drag(&shell.window, middle, {middle + QPoint(-1200, -900)});
        saveSettled(shell, "9-graphs-far-from-the-axes");
    }

    // Curves broken where their functions are not defined.
    void graphDomains() {
        Shell shell;
        shell.choose(KV_CMD_GRAPHS);
        resizeOnScreen(shell, QSize(700, 560));
        type(shell, KV_GRAPH_INPUT, "sqrt(x);ln(x);1/x;y=sqrt(0-x)+1");
        shell.click(KV_GRAPH_BUILD);
        save(shell, "10-graph-domains");
    }
};

QTEST_MAIN(Screenshots)
#include "screenshots.moc"
