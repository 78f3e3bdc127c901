#include "fonts.h"

#include <algorithm>

#include <QApplication>
#include <QFontInfo>
#include <QPainter>
#include <QStringList>

namespace kelvora {

namespace {

// Heights are cell heights (ascent plus descent), as the desktop font mapper reads them;
// Qt sizes fonts by their em, about three quarters of the cell.
int EmPixels(int cellHeight) { return std::max(1, (cellHeight * 3 + 2) / 4); }

const QString kEmojiFamily = QStringLiteral("Noto Color Emoji");

// The families the layout was drawn for come first; the fallbacks are what a Linux
// desktop usually has, the emoji font last: it is asked only for what the others lack.
QStringList FamiliesFor(const QString& family) {
    if (family.compare(QStringLiteral("Consolas"), Qt::CaseInsensitive) == 0) {
        return {family, QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace"), kEmojiFamily};
    }
    return {family, QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif"), kEmojiFamily};
}

QFont MakeFont(const QString& family, int cellHeight, int weight) {
    QFont font = QApplication::font();
    font.setFamilies(FamiliesFor(family));
    if (family.compare(QStringLiteral("Consolas"), Qt::CaseInsensitive) == 0) {
        font.setStyleHint(QFont::Monospace);
    }
    if (cellHeight > 0) font.setPixelSize(EmPixels(cellHeight));
    font.setWeight(weight >= kBold ? QFont::Bold : QFont::Normal);
    return font;
}

}  // namespace

QFont ShellFont(int cellHeight, int weight) { return MakeFont(QStringLiteral("Segoe UI"), cellHeight, weight); }

QFont FontFor(const KvFont& font) {
    return MakeFont(QString::fromStdWString(font.family), font.pixelHeight, font.weight);
}

// The family the desktop resolved its default to comes first: an alias such as "Sans
// Serif" names no font, and the emoji font (which has digits too) would take its place.
void UseEmojiFallback() {
    QFont font = QApplication::font();
    const QString family = QFontInfo(font).family();
    if (family == kEmojiFamily) return;
    font.setFamilies({family, kEmojiFamily});
    QApplication::setFont(font);
}

void PaintText(QPainter& painter, int x, int y, const QString& text, const QFont& font, QColor color) {
    painter.save();
    painter.setFont(font);
    painter.setPen(color);
    painter.drawText(QRect(x, y, 4096, 1024), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    painter.restore();
}

}  // namespace kelvora
