#include "main_window.h"

#include <iterator>

#include <QCloseEvent>
#include <QResizeEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QComboBox>

#include "abacor.h"
#include "answer_fields.h"
#include "application.h"
#include "control_ids.h"
#include "fonts.h"
#include "key_filter.h"
#include "keypad_fit.h"
#include "keyboard.h"
#include "keypads.h"
#include "modes.h"
#include "panels.h"
#include "trig_row.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

constexpr int kDisplayFontHeight = 36;
constexpr QRect kNumberLineArea(QPoint(160, 190), QPoint(399, 299));

// The indicators in the order they are created, and the button each one answers; an
// indicator shows its button's label.
struct MemoryIndicator {
    int id;
    int button;
};

constexpr MemoryIndicator kMemoryIndicators[] = {
    {KV_MEMORY_INDICATOR_MC, KV_MEMORY_CLEAR},
    {KV_MEMORY_INDICATOR_MR, KV_MEMORY_RECALL},
    {KV_MEMORY_INDICATOR_SUBTRACT, KV_MEMORY_SUBTRACT},
    {KV_MEMORY_INDICATOR_ADD, KV_MEMORY_ADD},
    {KV_MEMORY_INDICATOR_MS, KV_MEMORY_STORE},
};

bool IsMemoryButton(int id) { return id >= KV_MEMORY_FIRST && id <= KV_MEMORY_LAST; }

QString MemoryKeyLabel(int button) {
    return QString::fromUtf8(KvFindKey(kvMemoryKeys, std::size(kvMemoryKeys), button)->label);
}

struct MenuItem {
    const char* text;
    int command;
};

constexpr MenuItem kTopItems[] = {
    {ui::kStandard, KV_CMD_STANDARD},
    {ui::kScientific, KV_CMD_SCIENTIFIC},
    {ui::kFractions, KV_CMD_FRACTIONS},
    {ui::kGraphs, KV_CMD_GRAPHS},
};
constexpr MenuItem kEquationItems[] = {
    {ui::kEquations, KV_CMD_EQUATIONS},
    {ui::kInequalities, KV_CMD_INEQUALITIES},
    {ui::kQuadratic, KV_CMD_QUADRATIC},
    {ui::kSystems, KV_CMD_SYSTEM},
};
constexpr MenuItem kSettingsItem = {ui::kSettings, KV_CMD_SETTINGS};

}  // namespace

MainWindow::MainWindow(QtDesktop& desktop)
    : desktop_(desktop),
      registry_(desktop),
      port_(this, desktop, &registry_),
      controls_(*this, registry_, [this](int id, int code) { command(id, code); }),
      settings_(desktop, *this),
      systemPanel_(controls_, desktop),
      history_(*this, {registry_, systemPanel_, graph_}, [this](int id, int code) { command(id, code); }) {
    setWindowTitle(QString::fromUtf8(ui::kWindowTitle));
    setWindowIcon(KelvoraIcon());
    sizing_.apply(*this, *FindView(KV_CMD_STANDARD));
    InitFractions(&port_);

    CreateInequalityPanel(controls_);
    CreateEquationPanel(controls_);
    createMemoryIndicators();
    controls_.formulaEdit(KV_GRAPH_INPUT, 50, 10, 610);
    controls_.button(KV_GRAPH_BUILD, QString::fromUtf8(ui::kBuildGraph), QRect(5, 50, 100, 30));
    createGraphTools();
    settings_.create(controls_);
    CreateQuadraticPanel(controls_);
    registry_.setRangeVisible(KV_HIDDEN_AT_START_FIRST, KV_HIDDEN_AT_START_LAST, false);
    CreateFractionsPanel(controls_);
    CreateStandardKeypad(controls_);
    CreateMemoryButtons(controls_);
    CreateScientificKeypad(controls_);
    CreateTrigRow(controls_, [this](int id, int code) { command(id, code); });

    // Runs once events flow: the window opens in Standard mode.
    QMetaObject::invokeMethod(this, [this] { command(KV_CMD_STANDARD, kClicked); }, Qt::QueuedConnection);

    createModeButton();
    createModeMenu();
    history_.addToggle(*menu_);
    checkMenuItem(KV_CMD_STANDARD);
    createDisplay();
    createMemoryList();
    FitAnswerFields(registry_);
    new KeyboardRouter(*this, controls_, desktop_);

    memoryTimer_.setInterval(kMemoryIndicatorTimeoutMs);
    QObject::connect(&memoryTimer_, &QTimer::timeout, [this] { hideMemoryIndicators(); });
}

MainWindow::~MainWindow() {
    // The library must not keep a window that is gone.
    InitFractions(nullptr);
}

QString MainWindow::caption() const { return caption_->text(); }

bool MainWindow::captionShown() const { return !caption_->isHidden(); }

QAction* MainWindow::menuItem(int command) const {
    const auto found = menuItems_.find(command);
    return found == menuItems_.end() ? nullptr : found->second;
}

void MainWindow::command(int controlId, int code) {
    const HistoryPanel::Recording recording(history_, controlId, code);
    if (consume(controlId, code) || code != kClicked) return;
    if (const View* view = FindView(controlId)) applyView(*view);
    else if (IsMemoryButton(controlId)) showMemoryIndicator(controlId);
    else if (controlId == KV_SETTINGS_ABOUT) showAbout();
    ProcessButtonClick(registry_.port(KV_DISPLAY), controlId);
    systemPanel_.afterForwarding(controlId);
}

bool MainWindow::consume(int controlId, int code) {
    if (controlId == KV_MODE_BUTTON) {
        if (code == kClicked) openModeMenu();
        return true;
    }
    if (controlId == KV_MEMORY_LIST) {
        if (code == kSelectionChanged) recallFromMemoryList();
        return true;
    }
    if (controlId == KV_GRAPH_BUILD) {
        if (code == kClicked) buildGraph();
        return true;
    }
    if (const View* view = FindView(controlId); view && !view->forwarded) {
        if (code == kClicked) applyView(*view);
        return true;
    }
    return settings_.consume(controlId, code);
}

// ---- Modes ----------------------------------------------------------------------------

void MainWindow::applyView(const View& view) {
    if (view.appMode != 0) appMode_ = view.appMode;
    viewCommand_ = view.command;
    if (view.caption) caption_->setText(QString::fromUtf8(view.caption));
    caption_->setVisible(view.captionShown);
    ApplyGroups(view, registry_);
    // The memory list and its indicators belong to the memory row.
    if (!(view.shown & kMemoryKeys)) {
        registry_.setRangeVisible(KV_MEMORY_LIST, KV_MEMORY_LIST, false);
        hideMemoryIndicators();
    }
    if (view.shown & kSystemPanel) systemPanel_.enter();
    applyFrame(view);
    checkMenuItem(view.checksOwnItem ? view.command : 0);
    layOutKeypad();
    switchGraphResources();
    update();
}

void MainWindow::applyFrame(const View& view) { sizing_.apply(*this, view); }

void MainWindow::checkMenuItem(int command) {
    for (const auto& [id, action] : menuItems_) action->setChecked(id == command);
}

// The keypads follow the window in Standard and Scientific mode; entering either mode
// lays them out at once for the current size.
void MainWindow::layOutKeypad() { LayOutKeypad(appMode_, QSize(clientWidth_, clientHeight_), registry_); }

void MainWindow::openModeMenu() {
    const QWidget* button = registry_.widget(KV_MODE_BUTTON);
    menu_->popup(button->mapToGlobal(QPoint(0, button->height())));
}

// ---- Memory ---------------------------------------------------------------------------

void MainWindow::showMemoryIndicator(int memoryButton) {
    if (memoryButton == KV_MEMORY_SHOW_LIST) return;
    for (const MemoryIndicator& indicator : kMemoryIndicators) {
        registry_.setRangeVisible(indicator.id, indicator.id, indicator.button == memoryButton);
    }
    if (memoryButton == KV_MEMORY_ADD) memoryTimer_.start(kMemoryIndicatorTimeoutMs);
    repaint();
}

void MainWindow::hideMemoryIndicators() {
    registry_.setRangeVisible(KV_MEMORY_INDICATOR_FIRST, KV_MEMORY_INDICATOR_LAST, false);
}

void MainWindow::recallFromMemoryList() {
    if (!memoryComboSelect_) memoryComboSelect_ = LookUpMemoryComboSelect();
    if (memoryComboSelect_) memoryComboSelect_(registry_.port(KV_DISPLAY));
}

void MainWindow::showAbout() {
    desktop_.showMessage(this, QString::fromUtf8(ui::kAboutText), QString::fromUtf8(ui::kAboutCaption),
                         QMessageBox::Information, QMessageBox::Ok);
}

// ---- Events ---------------------------------------------------------------------------

void MainWindow::resizeEvent(QResizeEvent* event) {
    clientWidth_ = event->size().width() & 0xFFFF;
    clientHeight_ = event->size().height() & 0xFFFF;
    sizing_.noteResize(event->size());
    layOutKeypad();
    if (appMode_ == kFractionsMode || appMode_ == kInequalitiesMode) {
        registry_.setRangeVisible(KV_DISPLAY, KV_DISPLAY, false);
    }
    if (appMode_ == kGraphsMode) update();
}

void MainWindow::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QColor text = palette().color(QPalette::WindowText);
    switch (appMode_) {
        case kGraphsMode: paintPlotArea(painter); break;
        case kInequalitiesMode:
            paintNumberLine(painter);
            PaintText(painter, 180, 150, QString::fromUtf8(ui::kAnswer), font(), text);
            break;
        case kFractionsMode: PaintText(painter, 5, 160, QString::fromUtf8(ui::kFractionResult), font(), text); break;
        case kSettingsMode: settings_.paint(painter); break;
        case kSystemMode: systemPanel_.paint(painter); break;
        default: break;
    }
}

void MainWindow::paintNumberLine(QPainter& painter) {
    if (!IsNumberLineVisible()) return;
    QtCanvas canvas(painter, palette().color(QPalette::Window));
    DrawNumberLine(&canvas, ToKvRect(kNumberLineArea));
}

// Closing the main window always ends the program, also while the Steps window's
// nested loop runs: every loop is told to return and none starts any more.
void MainWindow::closeEvent(QCloseEvent* event) {
    keepWindow();
    desktop_.quit();
    QCoreApplication::exit(0);
    event->accept();
}

// ---- Creation -------------------------------------------------------------------------

void MainWindow::createMemoryIndicators() {
    for (const MemoryIndicator& indicator : kMemoryIndicators) {
        controls_.label(indicator.id, MemoryKeyLabel(indicator.button), QRect(240, 10, 30, 20));
    }
}

void MainWindow::createModeButton() {
    QPushButton* button =
        controls_.button(KV_MODE_BUTTON, QString::fromUtf8(ui::kModeButton), QRect(5, 5, 40, 40), true);
    button->setFlat(true);
    button->setFont(ShellFont(28, kBold));
    caption_ = new QLabel(this);
    caption_->setFont(ShellFont(18, kNormal));
    caption_->setGeometry(50, 12, 280, 24);
}

void MainWindow::createModeMenu() {
    menu_ = new QMenu(this);
    const auto addItem = [this](QMenu* menu, const MenuItem& item) {
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setCheckable(true);
        QObject::connect(action, &QAction::triggered, this, [this, id = item.command] { command(id, kClicked); });
        menuItems_[item.command] = action;
    };
    for (const MenuItem& item : kTopItems) addItem(menu_, item);
    QMenu* equations = menu_->addMenu(QString::fromUtf8(ui::kEquationsMenu));
    for (const MenuItem& item : kEquationItems) addItem(equations, item);
    menu_->addSeparator();
    addItem(menu_, kSettingsItem);
    menu_->addAction(QString::fromUtf8(ui::kKeysHelpItem), this, [this] { ShowKeysHelp(desktop_, *this); });
}

void MainWindow::createDisplay() {
    QLineEdit* display = controls_.inputField(KV_DISPLAY, QRect(0, 45, 320, 60));
    display->setText(QStringLiteral("0"));
    display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display->setFont(ShellFont(kDisplayFontHeight, kBold));
    FilterCharacters(display, IsDigitCharacter);
}

void MainWindow::createMemoryList() {
    QComboBox* list = controls_.dropDownList(KV_MEMORY_LIST, {}, 60, 10, 150);
    list->setFont(ShellFont(kDisplayFontHeight, kBold));
    list->resize(150, list->sizeHint().height());
}

}  // namespace kelvora
