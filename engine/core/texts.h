// Every text the engine shows a user: messages, answers, labels and the step reports'
// frame and headings, verbatim. One home, so that a wording is changed in one place and a
// face never has to recognise a text: it reads the outcome's status instead.
#pragma once

namespace abacor::text {

// ---- Step report frame ---------------------------------------------------------------
// Each line is written without its line end; the report writer adds it.
inline constexpr const wchar_t* kReportRule = L"═══════════════════════════════════";
inline constexpr const wchar_t* kSectionClose = L"└──────────────────────────────────────────────";
inline constexpr const wchar_t* kSolvedBanner = L"Решение завершено!";

// ---- Keypad, display and memory ---------------------------------------------------------
// A function key outside its domain (a negative square root, the log of 0, 171!).
inline constexpr const wchar_t* kError = L"Ошибка";
// 1/x of 0 on the keypad, and a fraction line that divides by 0.
inline constexpr const wchar_t* kDivisionByZero = L"Деление на 0";
// A number beyond what can be computed exactly or shown.
inline constexpr const wchar_t* kTooLarge = L"Слишком большое число";
// The memory list's only entry while no register holds a value.
inline constexpr const wchar_t* kMemoryEmpty = L"Память пуста";

// ---- Fraction line -------------------------------------------------------------------------
// The line shows the formula checks' messages, kDivisionByZero and kTooLarge.

// ---- Quadratic panel ----------------------------------------------------------------------
inline constexpr const wchar_t* kZeroCoefficientA = L"Коэффициент 'a' не может быть нулём!";
inline constexpr const wchar_t* kNoRealRoots = L"Нет действительных корней";
// The second root's field when both roots are one.
inline constexpr const wchar_t* kNoSecondRoot = L"\u2014";

// ---- Formula checks (shared by the fraction line, the equation and the graph inputs) -----
inline constexpr const wchar_t* kEmptyLine = L"Пустая строка";
inline constexpr const wchar_t* kForeignCharacters = L"Недопустимые символы";
inline constexpr const wchar_t* kDoubledOperator = L"Двойной символ операции";
inline constexpr const wchar_t* kZeroDivisor = L"Деление на ноль";
inline constexpr const wchar_t* kUnbalancedBrackets = L"Скобки не сбалансированы";
inline constexpr const wchar_t* kNotComputable = L"Невозможно вычислить выражение";
// The caption of the message boxes of every check.
inline constexpr const wchar_t* kErrorCaption = L"Ошиибка";

// ---- Equations and simplification ------------------------------------------------------

// ---- Inequalities and the number line ------------------------------------------------

// ---- Linear systems ----------------------------------------------------------------------

// ---- Steps window ---------------------------------------------------------------------------
inline constexpr const wchar_t* kStepsTitle = L"Пошаговое решение";

}  // namespace abacor::text
