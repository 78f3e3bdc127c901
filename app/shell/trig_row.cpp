#include "trig_row.h"

#include <algorithm>
#include <iterator>

#include <QPushButton>

#include "control_ids.h"
#include "qt_ports.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

// The columns of the row, left to right; the inverses share the columns of their functions.
constexpr int kColumns[][2] = {
    {KV_SCI_SECOND, 0},
    {KV_SCI_SIN, KV_SCI_ASIN},
    {KV_SCI_COS, KV_SCI_ACOS},
    {KV_SCI_TAN, KV_SCI_ATAN},
    {KV_SCI_ANGLE_SWITCH, 0},
};

QString Label(int id) {
    return QString::fromUtf8(KvFindKey(kvTrigKeys, std::size(kvTrigKeys), id)->label);
}

QString AngleLabel(bool radians) { return QString::fromUtf8(radians ? ui::kRadiansKey : ui::kDegreesKey); }

void ShowInverses(const ControlRegistry& registry, bool inverses) {
    registry.setRangeVisible(KV_SCI_SIN, KV_SCI_TAN, !inverses);
    registry.setRangeVisible(KV_SCI_ASIN, KV_SCI_ATAN, inverses);
}

QPushButton* ToggleKey(const Controls& controls, int id, const QString& label) {
    QPushButton* key = controls.button(id, label, QRect());
    key->setCheckable(true);
    return key;
}

}  // namespace

void CreateTrigRow(const Controls& controls, const CommandSink& command) {
    for (int id = KV_SCI_SIN; id <= KV_SCI_ATAN; ++id) controls.button(id, Label(id), QRect());
    QPushButton* second = ToggleKey(controls, KV_SCI_SECOND, Label(KV_SCI_SECOND));
    QObject::connect(second, &QPushButton::toggled,
                     [&registry = controls.registry()](bool down) { ShowInverses(registry, down); });
    QPushButton* angle = ToggleKey(controls, KV_SCI_ANGLE_SWITCH, AngleLabel(false));
    QObject::connect(angle, &QPushButton::toggled, [angle, command](bool radians) {
        angle->setText(AngleLabel(radians));
        command(radians ? KV_SCI_RADIANS : KV_SCI_DEGREES, kClicked);
    });
    // The library's unit outlives a window; the switch starts on degrees, so does it.
    command(KV_SCI_DEGREES, kClicked);
}

void ShowTrigRow(const ControlRegistry& registry) {
    auto* second = registry.get<QPushButton>(KV_SCI_SECOND);
    if (second) second->setChecked(false);
    registry.setRangeVisible(KV_SCI_SECOND, KV_SCI_SECOND, true);
    registry.setRangeVisible(KV_SCI_ANGLE_SWITCH, KV_SCI_ANGLE_SWITCH, true);
    ShowInverses(registry, false);
}

std::vector<Placement> TrigRowLayout(QRect firstKey, int gap, int floor) {
    constexpr int kLowest = 20;
    std::vector<Placement> placements;
    const int pitch = firstKey.width() + gap;
    const int height = std::max(kLowest, std::min(firstKey.height(), firstKey.top() - gap - floor));
    const int top = firstKey.top() - gap - height;
    for (int column = 0; column < static_cast<int>(std::size(kColumns)); ++column) {
        const QRect rect(firstKey.left() + column * pitch, top, firstKey.width(), height);
        for (int id : kColumns[column]) {
            if (id != 0) placements.push_back({id, rect});
        }
    }
    return placements;
}

}  // namespace kelvora
