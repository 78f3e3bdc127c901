// Keyboard filters of the program's edit controls: a character the control does not
// accept never reaches it. Keys that type no printable character (arrows, Delete, Tab,
// Enter) and every Ctrl shortcut (select all, copy, cut, paste, undo, redo) pass.
#pragma once

class QLineEdit;

namespace kelvora {

// Digits, Latin letters, = ^ space & ( ) * + , - . / : ;
bool IsFormulaCharacter(char32_t ch);

// A formula's characters and the comparison signs < > ≤ ≥.
bool IsInequalityCharacter(char32_t ch);

// Digits.
bool IsDigitCharacter(char32_t ch);

// A signed decimal number's: digits, + - and the point or comma.
bool IsNumberCharacter(char32_t ch);

void FilterCharacters(QLineEdit* edit, bool (*accepts)(char32_t));

}  // namespace kelvora
