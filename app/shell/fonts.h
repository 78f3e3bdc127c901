// Fonts of the program and of the library's drawing.
#pragma once

#include <QColor>
#include <QFont>

#include "platform.h"

class QPainter;

namespace kelvora {

inline constexpr int kNormal = 400;
inline constexpr int kBold = 700;

// A "Segoe UI" font of the given cell height (0: the desktop's default size) and weight.
QFont ShellFont(int cellHeight, int weight);

// The font the library asks for when it draws or opens a text window.
QFont FontFor(const KvFont& font);

// Makes the program's default font fall back to the colour emoji font for the symbols
// its own family lacks (✅, 📐), so that they never show as empty boxes.
void UseEmojiFallback();

// Paints one line of text with the top of its cell at (x, y).
void PaintText(QPainter& painter, int x, int y, const QString& text, const QFont& font, QColor color);

}  // namespace kelvora
