#include "key_filter.h"

#include <string_view>

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace kelvora {

namespace {

constexpr char32_t kCopy = 3;
constexpr char32_t kBackspace = 8;
constexpr char32_t kPaste = 22;
constexpr char32_t kCut = 24;
// X11 reports Delete with this text, though it types nothing.
constexpr char32_t kDelete = 0x7F;

bool IsEditingCode(char32_t ch) { return ch == kCopy || ch == kBackspace || ch == kPaste || ch == kCut; }

class CharacterFilter : public QObject {
public:
    CharacterFilter(bool (*accepts)(char32_t), QObject* parent) : QObject(parent), accepts_(accepts) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const QList<uint> characters = static_cast<QKeyEvent*>(event)->text().toUcs4();
        if (characters.isEmpty() || characters.front() == kDelete) return false;
        return !accepts_(characters.front());
    }

private:
    bool (*accepts_)(char32_t);
};

}  // namespace

bool IsFormulaCharacter(char32_t ch) {
    if ((ch >= U'0' && ch <= U'9') || (ch >= U'A' && ch <= U'Z') || (ch >= U'a' && ch <= U'z')) return true;
    return std::u32string_view(U"=^ &()*+,-./:;").find(ch) != std::u32string_view::npos || IsEditingCode(ch);
}

bool IsDigitCharacter(char32_t ch) { return (ch >= U'0' && ch <= U'9') || IsEditingCode(ch); }

void FilterCharacters(QLineEdit* edit, bool (*accepts)(char32_t)) {
    edit->installEventFilter(new CharacterFilter(accepts, edit));
}

}  // namespace kelvora
