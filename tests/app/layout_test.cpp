// The standard and scientific keypads follow the window's client size; every mode can be
// resized and keeps the user's size; windows, answers and symbols fit where they show.
// Run with QT_SCALE_FACTOR=2 on a 1600 x 1000 screen (screen_1600x1000.json) it checks
// that every mode fits that screen instead.
#include <QFontInfo>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>

#include "abacor.h"
#include "answer_fields.h"
#include "application.h"
#include "control_ids.h"
#include "fonts.h"
#include "keypad_fit.h"
#include "screen_fit.h"
#include "shell_harness.h"

using namespace kelvora;
using kelvora::test::Shell;

namespace {

// What the window does when its client area takes this size.
void Resize(QWidget& window, QSize size) {
    QResizeEvent event(size, window.size());
    QCoreApplication::sendEvent(&window, &event);
}

// Inputs and the fraction line's rule are drawn to run past the right edge.
bool RunsPastTheEdge(int id) {
    return id == KV_EQ_INPUT || id == KV_INEQ_INPUT || id == KV_GRAPH_INPUT || id == KV_FRACTION_SEPARATOR;
}

// Every visible control lies inside the window: nothing is cut off at an edge.
void ExpectContentInside(const Shell& shell, const char* mode) {
    const QRect inside = shell.window.rect();
    for (int id = 0; id < KV_CONTROL_ID_END; ++id) {
        const QWidget* control = shell.window.controls().widget(id);
        if (!control || !control->isVisible() || RunsPastTheEdge(id)) continue;
        QVERIFY2(inside.contains(control->geometry()),
                 qPrintable(QStringLiteral("%1: control %2 at %3,%4 %5x%6 outside %7x%8")
                                .arg(QString::fromUtf8(mode)).arg(id).arg(control->x()).arg(control->y())
                                .arg(control->width()).arg(control->height()).arg(inside.width())
                                .arg(inside.height())));
    }
}

void AddModeRows() {
    QTest::addColumn<int>("command");
    const std::pair<const char*, int> modes[] = {
        {"Standard", KV_CMD_STANDARD},       {"Scientific", KV_CMD_SCIENTIFIC}, {"Fractions", KV_CMD_FRACTIONS},
        {"Equations", KV_CMD_EQUATIONS},     {"Inequalities", KV_CMD_INEQUALITIES},
        {"Quadratic", KV_CMD_QUADRATIC},     {"Systems", KV_CMD_SYSTEM},        {"Settings", KV_CMD_SETTINGS},
        {"Graphs", KV_CMD_GRAPHS},
    };
    for (const auto& [name, command] : modes) QTest::newRow(name) << command;
}

// A window resized by hand as far as it lets itself be.
void ResizeByHand(QWidget& window, QSize size) {
    window.resize(size);
    QCoreApplication::processEvents();
}

// Whether the picture has a pixel of strong colour (an emoji), not only greys (a box).
bool HasColour(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)).hsvSaturation() > 120) return true;
        }
    }
    return false;
}

QImage Rendered(const QString& text, const QFont& font) {
    QImage image(80, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(image.rect(), Qt::AlignCenter, text);
    return image;
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void standardLayout_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("top");
        QTest::newRow("height 400") << QSize(335, 400) << 78 << 38 << 144;
        QTest::newRow("opening size") << QSize(335, 510) << 78 << 56 << 146;
        QTest::newRow("tiny: keys at least 40 x 30, top at least 125") << QSize(100, 200) << 40 << 30 << 125;
        QTest::newRow("huge: keys at most 380 x 120") << QSize(2000, 1200) << 380 << 120 << 452;
    }
    void standardLayout() {
        QFETCH(QSize, client);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, top);
        Shell shell;
        Resize(shell.window, client);
        // Row 0 and row 5 bound the keypad; the digit rows swap (1 2 3 above 7 8 9).
        QCOMPARE(shell.get(KV_STD_PERCENT)->geometry(), QRect(3, top, w, h));
        QCOMPARE(shell.get(KV_STD_BACKSPACE)->geometry(), QRect(3 * (w + 5) + 3, top, w, h));
        QCOMPARE(shell.get(KV_STD_1)->geometry(), QRect(3, top + 2 * (h + 5), w, h));
        QCOMPARE(shell.get(KV_STD_7)->geometry(), QRect(3, top + 4 * (h + 5), w, h));
        QCOMPARE(shell.get(KV_STD_EQUALS)->geometry(), QRect(3 * (w + 5) + 3, top + 5 * (h + 5), w, h));
        QCOMPARE(shell.get(KV_DISPLAY)->geometry(), QRect(3, 55, 4 * w + 15, 60));
        for (int k = 0; k < 6; ++k) {
            QCOMPARE(shell.get(KV_MEMORY_FIRST + k)->geometry(), QRect(3 + 47 * k, top - 30, 45, 25));
        }
    }

    void scientificLayout_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("displayY");
        QTest::addColumn<int>("memoryY");
        QTest::newRow("opening size") << QSize(335, 510) << 64 << 39 << 222 << 52 << 116;
        QTest::newRow("height 400") << QSize(335, 400) << 64 << 30 << 175 << 10 << 114;
        QTest::newRow("tall") << QSize(600, 900) << 117 << 94 << 227 << 57 << 116;
        QTest::newRow("tiny") << QSize(100, 200) << 40 << 30 << 120 << 10 << 95;
    }
    void scientificLayout() {
        QFETCH(QSize, client);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(int, top);
        QFETCH(int, displayY);
        QFETCH(int, memoryY);
        Shell shell;
        shell.choose(KV_CMD_SCIENTIFIC);
        Resize(shell.window, client);
        QCOMPARE(shell.get(KV_SCI_PI)->geometry(), QRect(3, top, w, h));
        QCOMPARE(shell.get(KV_SCI_BACKSPACE)->geometry(), QRect(4 * (w + 2) + 3, top, w, h));
        QCOMPARE(shell.get(KV_SCI_EQUALS)->geometry(), QRect(4 * (w + 2) + 3, top + 6 * (h + 2), w, h));
        QCOMPARE(shell.get(KV_DISPLAY)->geometry(), QRect(3, displayY, 5 * w + 8, 60));
        QCOMPARE(shell.get(KV_MEMORY_SHOW_LIST)->geometry(), QRect(3 + 47 * 5, memoryY, 45, 25));
    }

    void enteringScientificLaysOutAtOnce() {
        Shell shell;
        QCOMPARE(shell.get(KV_SCI_PI)->geometry(), QRect(3, 125, 59, 30));  // as created
        shell.choose(KV_CMD_SCIENTIFIC);
        QCOMPARE(shell.get(KV_SCI_PI)->geometry(), QRect(3, 222, 64, 39));
    }

    // The trigonometric row stands one key above π, in the keypad's columns; where the
    // memory row leaves less room its keys are lower.
    void trigRow_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("rowTop");
        QTest::addColumn<int>("rowHeight");
        QTest::newRow("opening size") << QSize(335, 510) << 64 << 222 << 181 << 39;
        QTest::newRow("smallest") << QSize(290, 400) << 55 << 175 << 143 << 30;
        QTest::newRow("tall: between memory row and keypad") << QSize(600, 900) << 117 << 227 << 143 << 82;
    }
    void trigRow() {
        QFETCH(QSize, client);
        QFETCH(int, w);
        QFETCH(int, top);
        QFETCH(int, rowTop);
        QFETCH(int, rowHeight);
        Shell shell;
        shell.choose(KV_CMD_SCIENTIFIC);
        Resize(shell.window, client);
        const int columns[][2] = {{KV_SCI_SECOND, 0}, {KV_SCI_SIN, KV_SCI_ASIN}, {KV_SCI_COS, KV_SCI_ACOS},
                                  {KV_SCI_TAN, KV_SCI_ATAN}, {KV_SCI_ANGLE_SWITCH, 0}};
        for (int c = 0; c < 5; ++c) {
            for (int id : columns[c]) {
                if (id) QCOMPARE(shell.get(id)->geometry(), QRect(3 + c * (w + 2), rowTop, w, rowHeight));
            }
        }
        // Below the memory row, above the keypad: the existing keys keep their places.
        QVERIFY(shell.get(KV_MEMORY_CLEAR)->geometry().bottom() < rowTop);
        QCOMPARE(shell.get(KV_SCI_PI)->geometry().topLeft(), QPoint(3, top));
    }

    void secondKeyShowsInverses() {
        Shell shell;
        QVERIFY(!shell.visible(KV_SCI_SIN) && !shell.visible(KV_SCI_SECOND));  // not in Standard
        shell.choose(KV_CMD_SCIENTIFIC);
        const auto shown = [&shell](std::initializer_list<int> ids, bool visible) {
            for (int id : ids) QVERIFY2(shell.visible(id) == visible, qPrintable(QString::number(id)));
        };
        shown({KV_SCI_SECOND, KV_SCI_SIN, KV_SCI_COS, KV_SCI_TAN, KV_SCI_ANGLE_SWITCH}, true);
        shown({KV_SCI_ASIN, KV_SCI_ACOS, KV_SCI_ATAN}, false);
        shell.click(KV_SCI_SECOND);
        shown({KV_SCI_ASIN, KV_SCI_ACOS, KV_SCI_ATAN}, true);
        shown({KV_SCI_SIN, KV_SCI_COS, KV_SCI_TAN}, false);
        shell.press("1 cos⁻¹");
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("0"));
        shell.choose(KV_CMD_STANDARD);
        shown({KV_SCI_ASIN, KV_SCI_SECOND}, false);
        shell.choose(KV_CMD_SCIENTIFIC);  // "2nd" is up again
        shown({KV_SCI_SIN}, true);
        shown({KV_SCI_ASIN}, false);
        QVERIFY(!shell.get<QPushButton>(KV_SCI_SECOND)->isChecked());
    }

    void angleSwitch_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("switchLabel");
        QTest::newRow("degrees at start") << "3 0 sin" << "0.5" << "Град";
        QTest::newRow("radians") << "Град 3 0 sin" << "-0.9880316241" << "Рад";
        QTest::newRow("back to degrees") << "Град Рад 4 5 tan" << "1" << "Град";
        QTest::newRow("inverse in radians") << "Град 1 2nd tan⁻¹" << "0.7853981634" << "Рад";
        QTest::newRow("no value") << "9 0 tan" << "Ошибка" << "Град";
    }
    void angleSwitch() {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, switchLabel);
        Shell shell;
        shell.choose(KV_CMD_SCIENTIFIC);
        shell.press(keys);
        QCOMPARE(shell.text(KV_DISPLAY), display);
        QCOMPARE(shell.get<QPushButton>(KV_SCI_ANGLE_SWITCH)->text(), switchLabel);
    }

    // A new window starts in degrees, whatever an earlier one chose.
    void newWindowStartsInDegrees() {
        {
            Shell shell;
            shell.choose(KV_CMD_SCIENTIFIC);
            shell.press("Град");
        }
        Shell shell;
        shell.choose(KV_CMD_SCIENTIFIC);
        shell.press("9 0 sin");
        QCOMPARE(shell.text(KV_DISPLAY), QStringLiteral("1"));
    }

    void keyLabelFont_data() {
        QTest::addColumn<QSize>("key");
        QTest::addColumn<QSize>("opening");
        QTest::addColumn<int>("pixels");
        QTest::newRow("at the opening size") << QSize(78, 56) << QSize(78, 56) << 12;
        QTest::newRow("smaller keys keep the base") << QSize(40, 30) << QSize(78, 56) << 12;
        QTest::newRow("twice as large") << QSize(156, 112) << QSize(78, 56) << 24;
        QTest::newRow("the narrower growth counts") << QSize(156, 84) << QSize(78, 56) << 18;
        QTest::newRow("only wider: no growth") << QSize(380, 56) << QSize(78, 56) << 12;
    }
    void keyLabelFont() {
        QFETCH(QSize, key);
        QFETCH(QSize, opening);
        QFETCH(int, pixels);
        QFont base = QApplication::font();
        base.setPixelSize(12);
        QCOMPARE(KeyLabelFont(base, key, opening).pixelSize(), pixels);
    }

    // Every key of a keypad gets the same, larger label on a larger window.
    void keyLabelsGrowWithTheWindow() {
        Shell shell;
        const int base = QFontInfo(QApplication::font()).pixelSize();
        QCOMPARE(QFontInfo(shell.get(KV_STD_7)->font()).pixelSize(), base);
        Resize(shell.window, QSize(2000, 1200));  // keys 380 x 120
        const int large = QFontInfo(shell.get(KV_STD_7)->font()).pixelSize();
        QVERIFY2(large >= base * 2, qPrintable(QString::number(large)));
        for (int id : {KV_STD_EQUALS, KV_STD_PERCENT, KV_STD_BACKSPACE}) {
            QCOMPARE(QFontInfo(shell.get(id)->font()).pixelSize(), large);
        }
        QCOMPARE(QFontInfo(shell.get(KV_MEMORY_CLEAR)->font()).pixelSize(), base);  // the memory row keeps its size
        shell.choose(KV_CMD_SCIENTIFIC);
        const int scientific = QFontInfo(shell.get(KV_SCI_SIN)->font()).pixelSize();
        QVERIFY(scientific > base);
        QCOMPARE(QFontInfo(shell.get(KV_SCI_PI)->font()).pixelSize(), scientific);
    }

    void modeSwitchKeepsTheUsersSize_data() {
        QTest::addColumn<QSize>("user");
        QTest::addColumn<int>("command");
        QTest::addColumn<QSize>("inMode");
        QTest::newRow("large: kept everywhere") << QSize(600, 560) << int(KV_CMD_INEQUALITIES) << QSize(600, 560);
        QTest::newRow("small: grown to the inequalities' needs")
            << QSize(300, 400) << int(KV_CMD_INEQUALITIES) << QSize(410, 470);
        QTest::newRow("small: grown to the settings' needs") << QSize(300, 400) << int(KV_CMD_SETTINGS) << QSize(340, 470);
        QTest::newRow("narrow: fractions widen only") << QSize(300, 380) << int(KV_CMD_FRACTIONS) << QSize(320, 380);
        QTest::newRow("small: scientific grows in height") << QSize(300, 370) << int(KV_CMD_SCIENTIFIC) << QSize(300, 400);
        QTest::newRow("graphs take it") << QSize(500, 420) << int(KV_CMD_GRAPHS) << QSize(500, 420);
    }
    void modeSwitchKeepsTheUsersSize() {
        QFETCH(QSize, user);
        QFETCH(int, command);
        QFETCH(QSize, inMode);
        Shell shell;
        ResizeByHand(shell.window, user);
        QCOMPARE(shell.window.size(), user);
        shell.choose(command);
        QCOMPARE(shell.window.size(), inMode);
        shell.choose(KV_CMD_STANDARD);
        QCOMPARE(shell.window.size(), user);
        QCOMPARE(shell.window.sizing().userSize(), user);
    }

    // A size restored from the settings is the user's from the next mode switch on.
    void restoredUserSize() {
        Shell shell;
        shell.window.sizing().restoreUserSize(QSize(500, 480));
        shell.choose(KV_CMD_SCIENTIFIC);
        QCOMPARE(shell.window.size(), QSize(500, 480));
    }

    void everyModeResizes_data() { AddModeRows(); }
    void everyModeResizes() {
        QFETCH(int, command);
        Shell shell;
        shell.choose(command);
        const QSize opening = shell.window.size();
        QVERIFY(shell.window.minimumSize() != shell.window.maximumSize());
        ExpectContentInside(shell, QTest::currentDataTag());
        ResizeByHand(shell.window, QSize(100, 100));
        QCOMPARE(shell.window.size(), shell.window.minimumSize());
        QVERIFY2(shell.window.height() < opening.height(), "cannot be made smaller");
        ExpectContentInside(shell, QTest::currentDataTag());
        ResizeByHand(shell.window, opening + QSize(150, 120));
        QCOMPARE(shell.window.size(), opening + QSize(150, 120));
        ExpectContentInside(shell, QTest::currentDataTag());
    }

    void moveInside_data() {
        QTest::addColumn<QRect>("rect");
        QTest::addColumn<QRect>("moved");
        const QRect area(0, 0, 800, 600);
        QTest::newRow("inside: stays") << QRect(100, 50, 450, 550) << QRect(100, 50, 450, 550);
        QTest::newRow("left overhang of a Steps window") << QRect(-37, 20, 450, 550) << QRect(0, 20, 450, 550);
        QTest::newRow("past the right and bottom") << QRect(500, 300, 450, 550) << QRect(350, 50, 450, 550);
        QTest::newRow("larger than the area: its corner shows") << QRect(-50, -10, 900, 700) << QRect(0, 0, 900, 700);
        QTest::newRow("above the top") << QRect(10, -30, 100, 100) << QRect(10, 0, 100, 100);
    }
    void moveInside() {
        QFETCH(QRect, rect);
        QFETCH(QRect, moved);
        QCOMPARE(MoveInside(rect, QRect(0, 0, 800, 600)), moved);
    }

    // The Steps window, centred over a window near the screen's left edge, stays on screen.
    void stepsWindowOpensOnTheScreen() {
        Shell shell;
        shell.window.move(10, 10);
        shell.choose(KV_CMD_EQUATIONS);
        shell.press("𝑥 - 1 = 0");
        shell.click(KV_EQ_SOLVE);
        QRect steps;
        QTimer timer;
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            for (QWidget* window : shell.desktop.openTextWindows()) {
                steps = window->frameGeometry();
                window->close();
            }
        });
        timer.start();
        shell.click(KV_EQ_STEPS);
        QVERIFY(!steps.isEmpty());
        QVERIFY2(AvailableArea(shell.window).contains(steps), qPrintable(QStringLiteral("%1,%2").arg(steps.x()).arg(steps.y())));
        QVERIFY(steps.intersects(shell.window.frameGeometry()));
    }

    // A message box the library opens without naming an owner opens over the program.
    void messageBoxOpensOverTheWindow() {
        Shell shell;
        shell.window.move(30, 40);
        shell.choose(KV_CMD_GRAPHS);
        QWidget* parent = nullptr;
        QPoint centre;
        QString caption;
        int width = 0;
        QTimer timer;
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            parent = box->parentWidget();
            centre = box->frameGeometry().center();
            caption = box->windowTitle();
            width = box->width();
            box->accept();
        });
        timer.start();
        shell.get<QLineEdit>(KV_GRAPH_INPUT)->setText(QStringLiteral("1/ 0"));
        shell.click(KV_GRAPH_BUILD);
        QCOMPARE(caption, QStringLiteral("Ошибка"));
        // Room for the caption beside the title bar's buttons: a short text alone made the
        // box so narrow that the desktop shortened its caption.
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY2(width >= QFontMetrics(bold).horizontalAdvance(caption) + 160, qPrintable(QString::number(width)));
        QCOMPARE(parent, &shell.window);
        const QPoint offset = centre - shell.window.frameGeometry().center();
        QVERIFY2(offset.manhattanLength() < 20, qPrintable(QStringLiteral("%1,%2").arg(offset.x()).arg(offset.y())));
    }

    // Answers that once showed cut off: the field widens as far as there is room, shows its
    // start, and its tooltip holds the whole text.
    void answersShowWhole() {
        Shell shell;
        shell.choose(KV_CMD_QUADRATIC);
        kelvora::test::TypeText(shell.get<QLineEdit>(KV_QUADRATIC_A), QStringLiteral("0"));
        kelvora::test::TypeText(shell.get<QLineEdit>(KV_QUADRATIC_B), QStringLiteral("1"));
        shell.click(KV_QUADRATIC_SOLVE);
        QCoreApplication::processEvents();
        auto* root = shell.get<QLineEdit>(KV_QUADRATIC_ROOT1);
        QCOMPARE(root->text(), QStringLiteral("Коэффициент 'a' не может быть нулём!"));
        QCOMPARE(root->toolTip(), root->text());
        QVERIFY2(root->width() >= TextWidth(*root), qPrintable(QString::number(root->width())));
        QVERIFY(root->geometry().right() < shell.window.width());
        const QPoint place = root->pos();
        kelvora::test::TypeText(shell.get<QLineEdit>(KV_QUADRATIC_A), QStringLiteral("1"));  // a = 01
        shell.click(KV_QUADRATIC_SOLVE);
        QCoreApplication::processEvents();
        QVERIFY(TextWidth(*root) < 200);  // a root, not the message
        QCOMPARE(root->geometry(), QRect(place, QSize(200, 20)));  // back to its own width

        shell.choose(KV_CMD_INEQUALITIES);
        shell.press("𝑥 ^ 2 - 4 0 > 0");
        shell.click(KV_INEQ_SOLVE);
        QCoreApplication::processEvents();
        auto* answer = shell.get<QLineEdit>(KV_INEQ_ANSWER);
        QVERIFY(answer->text().endsWith(QStringLiteral("(6.32455532, +∞)")));
        QCOMPARE(answer->toolTip(), answer->text());
        QCOMPARE(answer->cursorPosition(), 0);  // the start shows
        QVERIFY(answer->geometry().right() < shell.window.width());
        QVERIFY(answer->width() > 130);  // wider than it was made
        ResizeByHand(shell.window, QSize(800, 510));
        QCoreApplication::processEvents();
        QVERIFY2(answer->width() >= TextWidth(*answer), qPrintable(QString::number(answer->width())));
        ResizeByHand(shell.window, QSize(410, 510));
        QCoreApplication::processEvents();
        QVERIFY(answer->geometry().right() < shell.window.width());
    }

    void fractionMessageShowsWhole() {
        Shell shell;
        shell.choose(KV_CMD_FRACTIONS);
        kelvora::test::TypeText(shell.get<QLineEdit>(KV_FRACTION_LINE), QStringLiteral("2^(1/2)"));
        shell.click(KV_FRACTION_SOLVE);
        QCoreApplication::processEvents();
        auto* whole = shell.get<QLineEdit>(KV_FRACTION_WHOLE);
        QCOMPARE(whole->toolTip(), whole->text());
        QVERIFY2(whole->width() >= TextWidth(*whole) || whole->geometry().right() >= shell.window.width() - 6,
                 qPrintable(whole->text()));
    }

    void windowIconIsKelvoras() {
        const QIcon icon = KelvoraIcon();
        QVERIFY(!icon.pixmap(32).isNull());  // the resource and the SVG plugins are there
        Shell shell;
        QCOMPARE(shell.window.windowIcon().pixmap(32).toImage(), icon.pixmap(32).toImage());
    }

    // ✅ (in the Steps reports) and 📐 (in the mode menu) show in colour, not as boxes.
    void emojiRender_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QFont>("font");
        QTest::newRow("check mark in the Steps window's font") << "✅" << FontFor(KvFont{L"Consolas", 16, 400});
        QTest::newRow("set square in the program's font") << "📐" << ShellFont(20, kNormal);
        QTest::newRow("check mark in the program's bold font") << "✅" << ShellFont(20, kBold);
    }
    void emojiRender() {
        QFETCH(QString, text);
        QFETCH(QFont, font);
        QVERIFY(HasColour(Rendered(text, font)));
        QVERIFY(!HasColour(Rendered(QStringLiteral("Ошибка"), font)));  // the check tells them apart
    }

    void emojiFallbackKeepsTheDefaultFamilyFirst() {
        const QFont before = QApplication::font();
        const QString family = QFontInfo(before).family();
        UseEmojiFallback();
        QCOMPARE(QFontInfo(QApplication::font()).family(), family);
        QCOMPARE(QApplication::font().families().value(1), QStringLiteral("Noto Color Emoji"));
        QApplication::setFont(before);
    }
};

// At 200 % on a 1600 x 1000 screen: every mode fits and can be resized.
class ScaledLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(screen->geometry().size() * screen->devicePixelRatio(), QSize(1600, 1000));
    }

    void everyModeFits_data() { AddModeRows(); }
    void everyModeFits() {
        QFETCH(int, command);
        Shell shell;
        shell.choose(command);
        QCoreApplication::processEvents();
        const QScreen* screen = shell.window.screen();
        const QRect frame = shell.window.frameGeometry();
        QVERIFY2(screen->geometry().contains(frame),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width())
                                .arg(frame.height())));
        ExpectContentInside(shell, QTest::currentDataTag());
    }

    void everyModeResizes_data() { AddModeRows(); }
    void everyModeResizes() {
        QFETCH(int, command);
        Shell shell;
        shell.choose(command);
        const QSize fitted = shell.window.size();
        ResizeByHand(shell.window, QSize(100, 100));
        QCOMPARE(shell.window.size(), shell.window.minimumSize());
        QVERIFY(shell.window.height() < fitted.height());
        ExpectContentInside(shell, QTest::currentDataTag());
        ResizeByHand(shell.window, fitted + QSize(200, 0));
        QCOMPARE(shell.window.size(), fitted + QSize(200, 0));
    }

    // The size the user chose comes back after a mode switch, within the screen.
    void modeSwitchKeepsTheUsersSize() {
        Shell shell;
        ResizeByHand(shell.window, QSize(500, 420));
        shell.choose(KV_CMD_INEQUALITIES);
        QCOMPARE(shell.window.size().width(), 500);
        shell.choose(KV_CMD_STANDARD);
        QCOMPARE(shell.window.size(), QSize(500, 420));
    }
};

// Which of the two runs this is follows from the screen it was started on.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (qApp->devicePixelRatio() > 1) {
        ScaledLayoutTest test;
        return QTest::qExec(&test, argc, argv);
    }
    LayoutTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "layout_test.moc"
