#include "key_filter.h"

#include <string_view>

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace kelvora {

namespace {

// Control characters (Backspace, Tab, Enter, Escape, X11's Delete) type nothing.
bool IsPrintable(char32_t ch) { return ch >= 0x20 && ch != 0x7F; }

bool IsOneOf(char32_t ch, std::u32string_view set) { return set.find(ch) != std::u32string_view::npos; }

class CharacterFilter : public QObject {
public:
    CharacterFilter(bool (*accepts)(char32_t), QObject* parent) : QObject(parent), accepts_(accepts) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::ControlModifier) return false;
        const QList<uint> characters = key->text().toUcs4();
        if (characters.isEmpty() || !IsPrintable(characters.front())) return false;
        return !accepts_(characters.front());
    }

private:
    bool (*accepts_)(char32_t);
};

}  // namespace

bool IsFormulaCharacter(char32_t ch) {
    if ((ch >= U'0' && ch <= U'9') || (ch >= U'A' && ch <= U'Z') || (ch >= U'a' && ch <= U'z')) return true;
    return IsOneOf(ch, U"=^ &()*+,-./:;");
}

bool IsInequalityCharacter(char32_t ch) { return IsFormulaCharacter(ch) || IsOneOf(ch, U"<>\u2264\u2265"); }

bool IsDigitCharacter(char32_t ch) { return ch >= U'0' && ch <= U'9'; }

bool IsNumberCharacter(char32_t ch) { return IsDigitCharacter(ch) || IsOneOf(ch, U"+-.,"); }

void FilterCharacters(QLineEdit* edit, bool (*accepts)(char32_t)) {
    edit->installEventFilter(new CharacterFilter(accepts, edit));
}

}  // namespace kelvora
