#include "keypad_fit.h"

#include <algorithm>

#include <QApplication>
#include <QFontInfo>
#include <QPushButton>

#include "control_ids.h"
#include "modes.h"
#include "qt_ports.h"
#include "trig_row.h"

namespace kelvora {

namespace {

// The key sizes the two keypads have at the window's opening size.
constexpr QSize kStandardOpeningKey(78, 56);
constexpr QSize kScientificOpeningKey(64, 39);
constexpr int kScientificGap = 2;

bool IsKeypadKey(int id) {
    return (id >= KV_STD_FIRST && id <= KV_STD_LAST) || (id >= KV_SCI_FIRST && id <= KV_SCI_LAST) ||
           (id >= KV_SCI_TRIG_FIRST && id <= KV_SCI_TRIG_LAST);
}

void ScaleLabels(const std::vector<Placement>& placements, QSize openingKey, const ControlRegistry& registry) {
    const QFont base = QApplication::font();
    for (const Placement& placement : placements) {
        if (!IsKeypadKey(placement.controlId)) continue;
        if (auto* key = registry.get<QPushButton>(placement.controlId)) {
            key->setFont(KeyLabelFont(base, placement.rect.size(), openingKey));
        }
    }
}

QRect RectOf(const std::vector<Placement>& placements, int id) {
    for (const Placement& placement : placements) {
        if (placement.controlId == id) return placement.rect;
    }
    return {};
}

}  // namespace

QFont KeyLabelFont(const QFont& base, QSize key, QSize openingKey) {
    const double growth = std::min(double(key.width()) / openingKey.width(), double(key.height()) / openingKey.height());
    QFont font = base;
    font.setPixelSize(std::max(1, static_cast<int>(QFontInfo(base).pixelSize() * std::max(1.0, growth) + 0.5)));
    return font;
}

void LayOutKeypad(int appMode, QSize client, const ControlRegistry& registry) {
    if (appMode == kStandardMode) {
        const std::vector<Placement> keys = StandardLayout(client.width(), client.height());
        Apply(keys, registry);
        ScaleLabels(keys, kStandardOpeningKey, registry);
    }
    if (appMode == kScientificMode) {
        std::vector<Placement> keys = ScientificLayout(client.width(), client.height());
        const int underMemoryRow = RectOf(keys, KV_MEMORY_CLEAR).bottom() + 1 + kScientificGap;
        const std::vector<Placement> row = TrigRowLayout(RectOf(keys, KV_SCI_PI), kScientificGap, underMemoryRow);
        keys.insert(keys.end(), row.begin(), row.end());
        Apply(keys, registry);
        ScaleLabels(keys, kScientificOpeningKey, registry);
    }
}

}  // namespace kelvora
