#include "history_panel.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

#include "screen_fit.h"
#include "settings_store.h"
#include "shortcuts.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

constexpr QSize kWindowSize(320, 420);
constexpr int kGap = 8;

QString ItemText(const Calculation& calculation) {
    return QString::fromUtf8(ui::kHistoryItem).arg(calculation.text, calculation.result);
}

}  // namespace

HistoryPanel::Recording::Recording(HistoryPanel& panel, int controlId, int code)
    : panel_(panel), controlId_(controlId), started_(StartCalculation(panel.sources_.registry, controlId, code)) {}

HistoryPanel::Recording::~Recording() {
    if (!started_) return;
    if (auto finished = FinishCalculation(panel_.sources_, controlId_, std::move(*started_))) {
        panel_.record(std::move(*finished));
    }
}

HistoryPanel::HistoryPanel(QWidget& owner, CalculationSources sources, CommandSink command)
    : owner_(owner), sources_(sources), command_(std::move(command)) {
    createWindow();
}

void HistoryPanel::createWindow() {
    window_ = new QDialog(&owner_);
    window_->setWindowTitle(QString::fromUtf8(ui::kHistoryTitle));
    window_->resize(kWindowSize);
    list_ = new QListWidget(window_);
    list_->setWordWrap(true);
    list_->setAlternatingRowColors(true);
    list_->setSpacing(2);
    list_->setTextElideMode(Qt::ElideNone);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    auto* clearButton = new QPushButton(QString::fromUtf8(ui::kHistoryClear), window_);
    auto* layout = new QVBoxLayout(window_);
    layout->addWidget(list_);
    layout->addWidget(clearButton);

    rowMenu_ = new QMenu(list_);
    QObject::connect(rowMenu_->addAction(QString::fromUtf8(ui::kHistoryCopyText)), &QAction::triggered,
                     [this] { copyCurrent(false); });
    QObject::connect(rowMenu_->addAction(QString::fromUtf8(ui::kHistoryCopyResult)), &QAction::triggered,
                     [this] { copyCurrent(true); });

    QObject::connect(list_, &QListWidget::itemClicked, [this](QListWidgetItem* item) { takeBack(list_->row(item)); });
    QObject::connect(list_, &QWidget::customContextMenuRequested, [this](QPoint at) {
        QListWidgetItem* item = list_->itemAt(at);
        if (!item) return;
        list_->setCurrentItem(item);
        rowMenu_->popup(list_->viewport()->mapToGlobal(at));
    });
    QObject::connect(clearButton, &QPushButton::clicked, [this] { clear(); });
    // Closing the window by its frame unchecks the menu item.
    QObject::connect(window_, &QDialog::finished, [this] {
        if (toggle_) toggle_->setChecked(false);
    });
}

void HistoryPanel::addToggle(QMenu& menu) {
    menu.addSeparator();
    toggle_ = menu.addAction(QString::fromUtf8(ui::kHistoryTitle));
    toggle_->setCheckable(true);
    toggle_->setShortcut(QKeySequence(QString::fromLatin1(kHistoryShortcut)));
    toggle_->setShortcutContext(Qt::ApplicationShortcut);
    // A menu's shortcuts work only while it is open unless a shown widget has the action.
    owner_.addAction(toggle_);
    QObject::connect(toggle_, &QAction::toggled, [this](bool shown) { setShown(shown); });
}

void HistoryPanel::setShown(bool shown) {
    if (!shown) return window_->hide();
    if (!placed_) placeBesideOwner();
    window_->show();
    window_->raise();
}

// The first time it opens, the window stands right of the main window.
void HistoryPanel::placeBesideOwner() {
    placed_ = true;
    const QRect beside(owner_.frameGeometry().topRight() + QPoint(kGap, 0), window_->frameGeometry().size());
    window_->move(MoveInside(beside, AvailableArea(owner_)).topLeft());
}

void HistoryPanel::keepIn(SettingsStore& store) {
    store_ = &store;
    store.loadHistory(history_);
    refresh();
}

void HistoryPanel::record(Calculation calculation) {
    history_.add(std::move(calculation));
    refresh();
    save();
}

void HistoryPanel::takeBack(int row) {
    if (row < 0 || row >= history_.entries().size()) return;
    // A copy: switching modes may record nothing, but the list must not be read while it changes.
    const Calculation calculation = history_.entries()[row];
    TakeBackCalculation(calculation, sources_, command_);
    owner_.activateWindow();
}

void HistoryPanel::clear() {
    history_.clear();
    refresh();
    save();
}

void HistoryPanel::refresh() {
    list_->clear();
    for (const Calculation& calculation : history_.entries()) {
        auto* item = new QListWidgetItem(ItemText(calculation), list_);
        item->setToolTip(item->text());
    }
}

void HistoryPanel::save() {
    if (store_) store_->saveHistory(history_);
}

void HistoryPanel::copyCurrent(bool resultOnly) const {
    const int row = list_->currentRow();
    if (row < 0 || row >= history_.entries().size()) return;
    const Calculation& calculation = history_.entries()[row];
    QApplication::clipboard()->setText(resultOnly ? calculation.result : calculation.text);
}

}  // namespace kelvora
