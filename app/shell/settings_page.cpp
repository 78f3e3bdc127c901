#include "settings_page.h"

#include <QComboBox>
#include <QPainter>
#include <QPushButton>

#include "abacor.h"
#include "control_ids.h"
#include "controls.h"
#include "fonts.h"
#include "qt_ports.h"

namespace kelvora {

namespace {

struct ListSpec {
    int id;
    int y;
    QStringList items;
    int defaultIndex;
};

const ListSpec kLists[] = {
    {KV_SETTINGS_PRECISION, 95, {"2 знака", "4 знака", "6 знаков", "Авто"}, 3},
    {KV_SETTINGS_MAX_DEGREE, 123, {"9", "25", "50", "100"}, 0},
    {KV_SETTINGS_FRACTION_FORMAT, 151, {"Обыкновенные", "Десятичные", "Авто"}, 2},
    {KV_SETTINGS_QUALITY, 216, {"Низкое", "Среднее", "Высокое"}, 1},
    {KV_SETTINGS_LINE, 244, {"Тонкая", "Средняя", "Жирная"}, 1},
    {KV_SETTINGS_GRID, 272, {"Показывать", "Скрыть"}, 0},
    {KV_SETTINGS_LABELS, 300, {"Показывать", "Скрыть"}, 0},
    {KV_SETTINGS_THEME, 365, {"☀️ Светлая", "🌙 Тёмная", "💻 Системная"}, 0},
    {KV_SETTINGS_LANGUAGE, 393, {"🇷🇺 Русский", "En English"}, 0},
};

struct PaintedText {
    const char* text;
    int x, y;
    bool heading;
};

const PaintedText kTexts[] = {
    {"⚙️  Настройки", 100, 15, true},
    {"🔢  ВЫЧИСЛЕНИЯ", 20, 55, true},
    {"Точность", 25, 90, false},
    {"Макс. степень", 25, 120, false},
    {"Дроби", 25, 150, false},
    {"📈  ГРАФИКИ", 20, 185, true},
    {"Качество", 25, 220, false},
    {"Линия", 25, 250, false},
    {"Сетка", 25, 280, false},
    {"Подписи", 25, 310, false},
    {"🎨  ОФОРМЛЕНИЕ", 20, 345, true},
    {"Тема", 25, 372, false},
    {"Язык", 25, 402, false},
};

constexpr int kPrecisions[] = {2, 4, 6};
constexpr int kDegrees[] = {9, 25, 50, 100};
constexpr int kSampleCounts[] = {100, 300, 500};

const ListSpec* FindList(int id) {
    for (const ListSpec& list : kLists) {
        if (list.id == id) return &list;
    }
    return nullptr;
}

}  // namespace

void SettingsPage::create(const Controls& controls) {
    registry_ = &controls.registry();
    for (const ListSpec& list : kLists) {
        // The degree list alone starts visible; the first mode switch hides it.
        const bool visible = list.id == KV_SETTINGS_MAX_DEGREE;
        QComboBox* box = controls.dropDownList(list.id, list.items, 180, list.y, 120, visible);
        box->setCurrentIndex(list.defaultIndex);
    }
    controls.button(KV_SETTINGS_ABOUT, QStringLiteral("ℹ️  О программе"), QRect(15, 433, 148, 28));
    controls.button(KV_SETTINGS_RESET, QStringLiteral("🔄  Сбросить"), QRect(172, 433, 148, 28));
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
    switch (controlId) {
        case KV_SETTINGS_PRECISION: SetPrecision(index >= 0 && index < 3 ? kPrecisions[index] : -1); break;
        case KV_SETTINGS_MAX_DEGREE:
            if (index < 0 || index > 3) break;
            SetMaxDegree(kDegrees[index]);
            if (index > 1) {
                desktop_.showMessage(&owner_,
                                     QStringLiteral("Внимание!\n\nСтепень 50+ может вызвать зависание на слабых ПК.\n"
                                                    "Рекомендуется 9-25."),
                                     QStringLiteral("Предупреждение"), QMessageBox::Warning, QMessageBox::Ok);
            }
            break;
        case KV_SETTINGS_FRACTION_FORMAT:
            inform("Формат дробей будет добавлен в следующей версии!", "Пока не работает");
            setSelection(KV_SETTINGS_FRACTION_FORMAT, FindList(KV_SETTINGS_FRACTION_FORMAT)->defaultIndex);
            break;
        case KV_SETTINGS_QUALITY:
            if (index >= 0 && index < 3) graph_.SampleCount = kSampleCounts[index];
            break;
        case KV_SETTINGS_LINE: graph_.LineThickness = static_cast<float>(index + 1); break;
        case KV_SETTINGS_GRID: graph_.ShowGrid = index == 0; break;
        case KV_SETTINGS_LABELS: graph_.ShowLabels = index == 0; break;
        case KV_SETTINGS_LANGUAGE:
            inform("English language will be added in the next version!", "Coming soon");
            setSelection(KV_SETTINGS_LANGUAGE, FindList(KV_SETTINGS_LANGUAGE)->defaultIndex);
            break;
        default: break;  // the theme list only shows its choice
    }
}

void SettingsPage::reset() {
    const auto answer = desktop_.showMessage(&owner_, QStringLiteral("Сбросить все настройки к значениям по умолчанию?"),
                                             QStringLiteral("Подтверждение"), QMessageBox::Question,
                                             QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    for (const ListSpec& list : kLists) setSelection(list.id, list.defaultIndex);
    SetPrecision(-1);
    SetMaxDegree(kDegrees[0]);
    graph_ = GraphSettings{};
    inform("Настройки сброшены!", "Успех");
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
