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

// ---- Fraction line -------------------------------------------------------------------------

// ---- Quadratic panel ----------------------------------------------------------------------

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

}  // namespace abacor::text
