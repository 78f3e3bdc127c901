#include "settings_page.h"

#include <span>

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <QStyle>

#include "abacor.h"
#include "control_ids.h"
#include "controls.h"
#include "fonts.h"
#include "qt_ports.h"
#include "settings_store.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

struct ListSpec {
    int id;
    int y;
    std::span<const char* const> items;
    int defaultIndex;
    const char* key;  // its name in the settings file; null: not kept, it always shows its default
};

constexpr ListSpec kLists[] = {
    {KV_SETTINGS_PRECISION, 95, ui::kPrecisionItems, 3, "precision"},
    {KV_SETTINGS_MAX_DEGREE, 123, ui::kMaxDegreeItems, 0, "maxDegree"},
    {KV_SETTINGS_FRACTION_FORMAT, 151, ui::kFractionFormatItems, 2, nullptr},
    {KV_SETTINGS_QUALITY, 216, ui::kQualityItems, 1, "graphQuality"},
    {KV_SETTINGS_LINE, 244, ui::kLineItems, 1, "graphLine"},
    {KV_SETTINGS_GRID, 272, ui::kShowHideItems, 0, "graphGrid"},
    {KV_SETTINGS_LABELS, 300, ui::kShowHideItems, 0, "graphLabels"},
    {KV_SETTINGS_THEME, 365, ui::kThemeItems, 0, "theme"},
    {KV_SETTINGS_LANGUAGE, 393, ui::kLanguageItems, 0, nullptr},
};

struct PaintedText {
    const char* text;
    int x, y;
    bool heading;
};

constexpr PaintedText kTexts[] = {
    {ui::kSettingsTitle, 100, 15, true},
    {ui::kCalculationsHeading, 20, 55, true},
    {ui::kPrecision, 25, 90, false},
    {ui::kMaxDegree, 25, 120, false},
    {ui::kFractions, 25, 150, false},
    {ui::kGraphsHeading, 20, 185, true},
    {ui::kQuality, 25, 220, false},
    {ui::kLine, 25, 250, false},
    {ui::kGrid, 25, 280, false},
    {ui::kLabels, 25, 310, false},
    {ui::kAppearanceHeading, 20, 345, true},
    {ui::kTheme, 25, 372, false},
    {ui::kLanguage, 25, 402, false},
};

constexpr int kPrecisions[] = {2, 4, 6};
constexpr int kDegrees[] = {9, 25, 50, 100};
constexpr int kSampleCounts[] = {100, 300, 500};

QStringList Items(std::span<const char* const> items) {
    QStringList list;
    for (const char* item : items) list << QString::fromUtf8(item);
    return list;
}

const ListSpec* FindList(int id) {
    for (const ListSpec& list : kLists) {
        if (list.id == id) return &list;
    }
    return nullptr;
}

}  // namespace

QPalette DarkPalette() {
    QPalette palette;
    const QColor window(45, 45, 48);
    const QColor base(30, 30, 32);
    const QColor text(230, 230, 230);
    const QColor muted(140, 140, 140);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, QColor(60, 60, 64));
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(255, 120, 120));
    palette.setColor(QPalette::Highlight, QColor(60, 120, 200));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::ToolTipBase, window);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, muted);
    palette.setColor(QPalette::Link, QColor(110, 170, 255));
    palette.setColor(QPalette::Light, QColor(80, 80, 84));
    palette.setColor(QPalette::Midlight, QColor(70, 70, 74));
    palette.setColor(QPalette::Mid, QColor(50, 50, 54));
    palette.setColor(QPalette::Dark, QColor(20, 20, 22));
    palette.setColor(QPalette::Shadow, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, muted);
    }
    return palette;
}

bool IsDarkPalette(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

void SettingsPage::create(const Controls& controls) {
    registry_ = &controls.registry();
    systemPalette_ = QApplication::palette();
    for (const ListSpec& list : kLists) {
        // The degree list alone starts visible; the first mode switch hides it.
        const bool visible = list.id == KV_SETTINGS_MAX_DEGREE;
        QComboBox* box = controls.dropDownList(list.id, Items(list.items), 180, list.y, 120, visible);
        box->setCurrentIndex(list.defaultIndex);
    }
    controls.button(KV_SETTINGS_ABOUT, QString::fromUtf8(ui::kAboutButton), QRect(15, 433, 148, 28));
    controls.button(KV_SETTINGS_RESET, QString::fromUtf8(ui::kResetButton), QRect(172, 433, 148, 28));
}

bool SettingsPage::consume(int controlId, int code) {
    if (controlId == KV_SETTINGS_RESET) {
        if (code == kClicked) reset();
        return true;
    }
    if (!FindList(controlId)) return false;
    if (code == kSelectionChanged) {
        if (auto* list = registry_->get<QComboBox>(controlId)) select(controlId, list->currentIndex());
    }
    return true;
}

void SettingsPage::select(int controlId, int index) {
    apply(controlId, index);
    switch (controlId) {
        case KV_SETTINGS_MAX_DEGREE:
            if (index > 1 && index <= 3) {
                desktop_.showMessage(&owner_, QString::fromUtf8(ui::kHighDegreeWarning),
                                     QString::fromUtf8(ui::kWarningCaption), QMessageBox::Warning, QMessageBox::Ok);
            }
            break;
        case KV_SETTINGS_FRACTION_FORMAT:
            inform(ui::kFractionFormatNotice, ui::kNotYetCaption);
            setSelection(KV_SETTINGS_FRACTION_FORMAT, FindList(KV_SETTINGS_FRACTION_FORMAT)->defaultIndex);
            break;
        case KV_SETTINGS_LANGUAGE:
            inform(ui::kLanguageNotice, ui::kComingSoonCaption);
            setSelection(KV_SETTINGS_LANGUAGE, FindList(KV_SETTINGS_LANGUAGE)->defaultIndex);
            break;
        default: break;
    }
    keep(controlId);
}

// What a choice does, without the messages a user's pick brings: also a restored choice.
void SettingsPage::apply(int controlId, int index) {
    switch (controlId) {
        case KV_SETTINGS_PRECISION: SetPrecision(index >= 0 && index < 3 ? kPrecisions[index] : -1); break;
        case KV_SETTINGS_MAX_DEGREE:
            if (index >= 0 && index <= 3) SetMaxDegree(kDegrees[index]);
            break;
        case KV_SETTINGS_QUALITY:
            if (index >= 0 && index < 3) graph_.SampleCount = kSampleCounts[index];
            break;
        case KV_SETTINGS_LINE: graph_.LineThickness = static_cast<float>(index + 1); break;
        case KV_SETTINGS_GRID: graph_.ShowGrid = index == 0; break;
        case KV_SETTINGS_LABELS: graph_.ShowLabels = index == 0; break;
        case KV_SETTINGS_THEME: applyTheme(static_cast<Theme>(index)); break;
        default: break;
    }
}

// Only what was kept is applied: without a kept theme the program looks as the desktop does.
void SettingsPage::keepIn(SettingsStore& store) {
    store_ = &store;
    for (const ListSpec& list : kLists) {
        const auto index = list.key ? store.choice(list.key, static_cast<int>(list.items.size())) : std::nullopt;
        if (!index) continue;
        setSelection(list.id, *index);
        apply(list.id, *index);
    }
}

void SettingsPage::keep(int controlId) const {
    const ListSpec* list = FindList(controlId);
    auto* box = registry_->get<QComboBox>(controlId);
    if (store_ && list && list->key && box) store_->setChoice(list->key, box->currentIndex());
}

// The system theme is the palette the program started with.
void SettingsPage::applyTheme(Theme theme) const {
    switch (theme) {
        case Theme::Light: QApplication::setPalette(QApplication::style()->standardPalette()); break;
        case Theme::Dark: QApplication::setPalette(DarkPalette()); break;
        case Theme::System: QApplication::setPalette(systemPalette_); break;
    }
}

void SettingsPage::reset() {
    const auto answer = desktop_.showMessage(&owner_, QString::fromUtf8(ui::kResetQuestion),
                                             QString::fromUtf8(ui::kConfirmCaption), QMessageBox::Question,
                                             QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    for (const ListSpec& list : kLists) {
        setSelection(list.id, list.defaultIndex);
        keep(list.id);
    }
    SetPrecision(-1);
    SetMaxDegree(kDegrees[0]);
    graph_ = GraphSettings{};
    applyTheme(Theme::Light);
    inform(ui::kResetDone, ui::kSuccessCaption);
}

// A selection the program makes is no selection change: no handler runs for it.
void SettingsPage::setSelection(int controlId, int index) const {
    if (auto* list = registry_->get<QComboBox>(controlId)) list->setCurrentIndex(index);
}

void SettingsPage::inform(const char* text, const char* caption) const {
    desktop_.showMessage(&owner_, QString::fromUtf8(text), QString::fromUtf8(caption), QMessageBox::Information,
                         QMessageBox::Ok);
}

void SettingsPage::paint(QPainter& painter) const {
    const QFont heading = ShellFont(22, kBold);
    const QFont rowLabel = ShellFont(17, kNormal);
    const QColor color = owner_.palette().color(QPalette::WindowText);
    for (const PaintedText& text : kTexts) {
        PaintText(painter, text.x, text.y, QString::fromUtf8(text.text), text.heading ? heading : rowLabel, color);
    }
}

}  // namespace kelvora
