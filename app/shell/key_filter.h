// Keyboard filters of the program's edit controls: a character the control does not
// accept never reaches it. Keys that type no character (arrows, Delete) always pass.
#pragma once

class QLineEdit;

namespace kelvora {

// Digits, Latin letters, = ^ space & ( ) * + , - . / : ; and copy, backspace, paste, cut.
bool IsFormulaCharacter(char32_t ch);

// Digits and copy, backspace, paste, cut.
bool IsDigitCharacter(char32_t ch);

void FilterCharacters(QLineEdit* edit, bool (*accepts)(char32_t));

}  // namespace kelvora
