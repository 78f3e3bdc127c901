#include "keypads.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "control_ids.h"
#include "controls.h"
#include "qt_ports.h"

namespace kelvora {

namespace {

// A keypad as created: keys in rows, left to right, `columns` to a row.
struct Grid {
    int columns;
    int left, top;           // of the first key
    int pitchX, pitchY;      // from one key to the next
    int width, height;       // of a key
};

constexpr Grid kStandardGrid{4, 3, 125, 80, 55, 75, 50};
constexpr Grid kScientificGrid{5, 3, 125, 64, 35, 59, 30};
constexpr Grid kMemoryGrid{6, 5, 110, 53, 0, 45, 25};
constexpr Grid kEquationGrid{4, 3, 90, 43, 48, 40, 45};
constexpr Grid kInequalityGrid{4, 3, 90, 44, 54, 40, 50};

// After a resize the standard keys stand in these rows: the digit rows swap places
// (1 2 3 above, 7 8 9 below) while every operator keeps its row.
constexpr int kStandardRows[6][4] = {
    {KV_STD_PERCENT, KV_STD_CLEAR_ENTRY, KV_STD_CLEAR, KV_STD_BACKSPACE},
    {KV_STD_RECIPROCAL, KV_STD_SQUARE, KV_STD_SQRT, KV_STD_DIVIDE},
    {KV_STD_1, KV_STD_2, KV_STD_3, KV_STD_TIMES},
    {KV_STD_4, KV_STD_5, KV_STD_6, KV_STD_PLUS},
    {KV_STD_7, KV_STD_8, KV_STD_9, KV_STD_MINUS},
    {KV_STD_SIGN, KV_STD_0, KV_STD_POINT, KV_STD_EQUALS},
};

void CreateKeys(const Controls& controls, std::span<const KvKey> keys, const Grid& grid) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int column = static_cast<int>(i) % grid.columns;
        const int row = static_cast<int>(i) / grid.columns;
        controls.button(keys[i].id, QString::fromUtf8(keys[i].label),
                        QRect(grid.left + column * grid.pitchX, grid.top + row * grid.pitchY, grid.width, grid.height));
    }
}

// The memory row follows the keypad, 30 pixels above its top edge.
void PlaceMemoryRow(std::vector<Placement>& placements, int keypadTop) {
    for (int k = 0; k < static_cast<int>(std::size(kvMemoryKeys)); ++k) {
        placements.push_back({kvMemoryKeys[k].id, QRect(3 + 47 * k, keypadTop - 30, 45, 25)});
    }
}

}  // namespace

void CreateStandardKeypad(const Controls& controls) { CreateKeys(controls, kvStandardKeys, kStandardGrid); }
void CreateScientificKeypad(const Controls& controls) { CreateKeys(controls, kvScientificKeys, kScientificGrid); }
void CreateMemoryButtons(const Controls& controls) { CreateKeys(controls, kvMemoryKeys, kMemoryGrid); }
void CreateEquationKeypad(const Controls& controls) { CreateKeys(controls, kvEquationKeys, kEquationGrid); }
void CreateInequalityKeypad(const Controls& controls) { CreateKeys(controls, kvInequalityKeys, kInequalityGrid); }

std::vector<Placement> StandardLayout(int clientWidth, int clientHeight) {
    const int w = std::clamp((clientWidth - 21) / 4, 40, 380);
    const int h = std::clamp((clientHeight - 170) / 6, 30, 120);
    const int top = std::max(clientHeight - 6 * h - 28, 125);
    std::vector<Placement> placements;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 4; ++c) {
            placements.push_back({kStandardRows[r][c], QRect(c * (w + 5) + 3, top + r * (h + 5), w, h)});
        }
    }
    placements.push_back({KV_DISPLAY, QRect(3, 55, 4 * w + 15, 60)});
    PlaceMemoryRow(placements, top);
    return placements;
}

// The display keeps the height the standard layout gives it, so that its font fits.
std::vector<Placement> ScientificLayout(int clientWidth, int clientHeight) {
    const int w = std::clamp((clientWidth - 14) / 5, 40, 380);
    const int h = std::clamp((clientHeight - 237) / 7, 30, 120);
    const int top = std::max(clientHeight - 7 * h - 15, 120);
    std::vector<Placement> placements;
    for (int i = 0; i < static_cast<int>(std::size(kvScientificKeys)); ++i) {
        placements.push_back({kvScientificKeys[i].id, QRect((i % 5) * (w + 2) + 3, top + (i / 5) * (h + 2), w, h)});
    }
    placements.push_back({KV_DISPLAY, QRect(3, std::max(top - 170, 10), 5 * w + 8, 60)});
    // The memory row stays where the standard layout would put it.
    const int g = std::clamp((clientHeight - 170) / 6, 30, 150);
    PlaceMemoryRow(placements, std::max(clientHeight - 6 * g - 28, 125));
    return placements;
}

namespace {

void AppendKeys(std::vector<int>& ids, std::span<const KvKey> keys) {
    for (const KvKey& key : keys) ids.push_back(key.id);
}

}  // namespace

std::vector<int> FocusOrder() {
    std::vector<int> ids{KV_MODE_BUTTON, KV_MEMORY_LIST, KV_DISPLAY};
    AppendKeys(ids, kvMemoryKeys);
    for (const auto& row : kStandardRows) ids.insert(ids.end(), std::begin(row), std::end(row));
    AppendKeys(ids, kvScientificKeys);
    ids.insert(ids.end(), {KV_FRACTION_LINE, KV_FRACTION_SOLVE, KV_EQ_INPUT});
    AppendKeys(ids, kvEquationKeys);
    ids.insert(ids.end(), {KV_EQ_SOLVE, KV_EQ_STEPS, KV_INEQ_INPUT});
    AppendKeys(ids, kvInequalityKeys);
    ids.insert(ids.end(), {KV_INEQ_SOLVE, KV_INEQ_STEPS});
    ids.insert(ids.end(), {KV_QUADRATIC_A, KV_QUADRATIC_SIGN_B, KV_QUADRATIC_B, KV_QUADRATIC_SIGN_C, KV_QUADRATIC_C,
                           KV_QUADRATIC_SOLVE, KV_GRAPH_INPUT, KV_GRAPH_BUILD});
    return ids;
}

void Apply(const std::vector<Placement>& placements, const ControlRegistry& registry) {
    for (const Placement& placement : placements) {
        if (QWidget* widget = registry.widget(placement.controlId)) widget->setGeometry(placement.rect);
    }
}

}  // namespace kelvora
