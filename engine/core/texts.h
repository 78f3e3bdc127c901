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

// ---- Formula checks (shared by the equation, inequality and graph inputs) ---------------

// ---- Equations and simplification ------------------------------------------------------

// ---- Inequalities and the number line ------------------------------------------------

// ---- Linear systems ----------------------------------------------------------------------

// ---- Steps window ---------------------------------------------------------------------------

}  // namespace abacor::text
