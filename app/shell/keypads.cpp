#include "keypads.h"

#include <algorithm>
#include <span>

#include "controls.h"
#include "qt_ports.h"

namespace kelvora {

namespace {

struct Key {
    const char* label;
    int id;
};

// A keypad as created: keys in rows, left to right, `columns` to a row.
struct Grid {
    int columns;
    int left, top;           // of the first key
    int pitchX, pitchY;      // from one key to the next
    int width, height;       // of a key
};

constexpr Key kStandardKeys[] = {
    {"%", 19}, {"CE", 20}, {"C", 0}, {"⌫", 24},
    {"1/x", 18}, {"x²", 16}, {"√", 17}, {"÷", 15},
    {"7", 7}, {"8", 8}, {"9", 9}, {"×", 14},
    {"4", 4}, {"5", 5}, {"6", 6}, {"+", 10},
    {"1", 1}, {"2", 2}, {"3", 3}, {"−", 11},
    {"+/−", 21}, {"0", 22}, {",", 23}, {"=", 12},
};
constexpr Grid kStandardGrid{4, 3, 125, 80, 55, 75, 50};

// The multiplication key is a Latin "x", the minus keys are hyphens and "in" is the
// natural logarithm: these are the labels the keys have always had.
constexpr Key kScientificKeys[] = {
    {"π", 30}, {"e", 31}, {"C", 32}, {"CE", 33}, {"⌫", 34},
    {"x²", 35}, {"1/x", 36}, {"|x|", 37}, {"exp", 38}, {"mod", 39},
    {"√", 40}, {"(", 41}, {")", 42}, {"n!", 43}, {"÷", 44},
    {"x^y", 45}, {"7", 46}, {"8", 47}, {"9", 48}, {"x", 49},
    {"10^x", 50}, {"4", 51}, {"5", 52}, {"6", 53}, {"-", 54},
    {"log", 55}, {"1", 56}, {"2", 57}, {"3", 58}, {"+", 59},
    {"in", 60}, {"+/-", 61}, {"0", 62}, {",", 63}, {"=", 64},
};
constexpr Grid kScientificGrid{5, 3, 125, 64, 35, 59, 30};

constexpr Key kMemoryKeys[] = {
    {"MC", 1600}, {"MR", 1601}, {"M+", 1602}, {"M-", 1603}, {"MS", 1604}, {"Mⅴ", 1605},
};
constexpr Grid kMemoryGrid{6, 5, 110, 53, 0, 45, 25};

constexpr Key kEquationKeys[] = {
    {"𝑥", 1702}, {"(", 1703}, {")", 1704}, {"⌫", 1705},
    {"+", 1706}, {"-", 1707}, {"×", 1708}, {"÷", 1709},
    {"7", 1710}, {"8", 1711}, {"9", 1712}, {"+/-", 1713},
    {"4", 1714}, {"5", 1715}, {"6", 1716}, {"0", 1717},
    {"1", 1718}, {"2", 1719}, {"3", 1720}, {",", 1721},
    {"^", 1730}, {"C", 1731}, {"CE", 1732}, {"=", 1733},
};
constexpr Grid kEquationGrid{4, 3, 90, 43, 48, 40, 45};

constexpr Key kInequalityKeys[] = {
    {">", 2101}, {"<", 2102}, {"≥", 2103}, {"≤", 2104},
    {"𝑥", 2105}, {"(", 2106}, {")", 2107}, {"⌫", 2108},
    {"+", 2109}, {"-", 2110}, {"×", 2111}, {"÷", 2112},
    {"7", 2113}, {"8", 2114}, {"9", 2115}, {"+/-", 2116},
    {"4", 2117}, {"5", 2118}, {"6", 2119}, {"0", 2120},
    {"1", 2121}, {"2", 2122}, {"3", 2123}, {",", 2124},
    {"^", 2125}, {"C", 2126}, {"CE", 2127}, {"&&", 2128},  // a button shows "&&" as "&"
};
constexpr Grid kInequalityGrid{4, 3, 90, 44, 54, 40, 50};

// After a resize the standard keys stand in these rows: the digit rows swap places
// (1 2 3 above, 7 8 9 below) while every operator keeps its row.
constexpr int kStandardRows[6][4] = {
    {19, 20, 0, 24}, {18, 16, 17, 15}, {1, 2, 3, 14}, {4, 5, 6, 10}, {7, 8, 9, 11}, {21, 22, 23, 12},
};

void CreateKeys(const Controls& controls, std::span<const Key> keys, const Grid& grid) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const int column = static_cast<int>(i) % grid.columns;
        const int row = static_cast<int>(i) / grid.columns;
        controls.button(keys[i].id, QString::fromUtf8(keys[i].label),
                        QRect(grid.left + column * grid.pitchX, grid.top + row * grid.pitchY, grid.width, grid.height));
    }
}

// The memory row follows the keypad, 30 pixels above its top edge.
void PlaceMemoryRow(std::vector<Placement>& placements, int keypadTop) {
    for (int k = 0; k < 6; ++k) placements.push_back({kMemoryKeys[k].id, QRect(3 + 47 * k, keypadTop - 30, 45, 25)});
}

}  // namespace

void CreateStandardKeypad(const Controls& controls) { CreateKeys(controls, kStandardKeys, kStandardGrid); }
void CreateScientificKeypad(const Controls& controls) { CreateKeys(controls, kScientificKeys, kScientificGrid); }
void CreateMemoryButtons(const Controls& controls) { CreateKeys(controls, kMemoryKeys, kMemoryGrid); }
void CreateEquationKeypad(const Controls& controls) { CreateKeys(controls, kEquationKeys, kEquationGrid); }
void CreateInequalityKeypad(const Controls& controls) { CreateKeys(controls, kInequalityKeys, kInequalityGrid); }

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
    placements.push_back({kDisplayId, QRect(3, 55, 4 * w + 15, 60)});
    PlaceMemoryRow(placements, top);
    return placements;
}

// The display keeps the height the standard layout gives it, so that its font fits.
std::vector<Placement> ScientificLayout(int clientWidth, int clientHeight) {
    const int w = std::clamp((clientWidth - 14) / 5, 40, 380);
    const int h = std::clamp((clientHeight - 237) / 7, 30, 120);
    const int top = std::max(clientHeight - 7 * h - 15, 120);
    std::vector<Placement> placements;
    for (int i = 0; i < static_cast<int>(std::size(kScientificKeys)); ++i) {
        placements.push_back({kScientificKeys[i].id, QRect((i % 5) * (w + 2) + 3, top + (i / 5) * (h + 2), w, h)});
    }
    placements.push_back({kDisplayId, QRect(3, std::max(top - 170, 10), 5 * w + 8, 60)});
    // The memory row stays where the standard layout would put it.
    const int g = std::clamp((clientHeight - 170) / 6, 30, 150);
    PlaceMemoryRow(placements, std::max(clientHeight - 6 * g - 28, 125));
    return placements;
}

void Apply(const std::vector<Placement>& placements, const ControlRegistry& registry) {
    for (const Placement& placement : placements) {
        if (QWidget* widget = registry.widget(placement.controlId)) widget->setGeometry(placement.rect);
    }
}

}  // namespace kelvora
