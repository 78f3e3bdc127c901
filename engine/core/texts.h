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
inline constexpr const wchar_t* kInequalityNoSign = L"Не найден знак неравенства";
// Beyond the degree or the amount of work the zero search allows.
inline constexpr const wchar_t* kInequalityTooComplex = L"Неравенство слишком сложное для решения";
// Texts the expansion would read silently as something else: 1e3 as 3, x>y as x>0, a
// third sign as nothing. Other characters outside a formula are kForeignCharacters.
inline constexpr const wchar_t* kInequalityOnlyX = L"Неравенство должно содержать только x";
inline constexpr const wchar_t* kInequalityExtraSign = L"Лишний знак неравенства";
inline constexpr const wchar_t* kInequalityBadSystem = L"Неверный формат системы";
inline constexpr const wchar_t* kInequalityEmptySet = L"∅";
// Report titles and the line under them: "Исходное: " + the text as typed.
inline constexpr const wchar_t* kInequalityTitle = L"РЕШЕНИЕ НЕРАВЕНСТВА";
inline constexpr const wchar_t* kInequalitySystemTitle = L"РЕШЕНИЕ СИСТЕМЫ НЕРАВЕНСТВ";
inline constexpr const wchar_t* kInequalityOriginal = L"Исходное: ";
// Section headings of one inequality.
inline constexpr const wchar_t* kInequalityStandardFormHeading = L"┌─ Шаг 1: Приведение к стандартной форме ──────";
inline constexpr const wchar_t* kInequalityZerosHeading = L"┌─ Шаг 2: Нахождение нулей функции ─────────────";
inline constexpr const wchar_t* kInequalityIntervalsHeading = L"┌─ Шаг 3: Разбиение на интервалы ──────────────";
inline constexpr const wchar_t* kInequalitySignsHeading = L"┌─ Шаг 4: Определение знаков функции ───────────";
inline constexpr const wchar_t* kInequalitySelectionHeading = L"┌─ Шаг 5: Выбор интервалов ─────────────────────";
inline constexpr const wchar_t* kInequalityAnswerHeading = L"┌─ Шаг 6: Ответ ────────────────────────────────";
// Section headings of a system.
inline constexpr const wchar_t* kInequalityFirstHeading = L"┌─ Шаг 1: Решение первого неравенства ──────────";
inline constexpr const wchar_t* kInequalitySecondHeading = L"┌─ Шаг 2: Решение второго неравенства ──────────";
inline constexpr const wchar_t* kInequalityIntersectionHeading = L"┌─ Шаг 3: Пересечение решений ──────────────────";
// Zeros and intervals.
inline constexpr const wchar_t* kInequalityZeroFunction = L"f(x) = 0 при любом x.";
inline constexpr const wchar_t* kInequalityNoZeros = L"Уравнение f(x) = 0 не имеет корней.";
inline constexpr const wchar_t* kInequalityNoZerosShort = L"Корней нет.";
inline constexpr const wchar_t* kInequalityWholeLine = L"Вся числовая прямая — один интервал.";
inline constexpr const wchar_t* kInequalitySolving = L"Решаем: ";  // + f + " = 0"
inline constexpr const wchar_t* kInequalityOneInterval = L"Один интервал: (-∞, +∞)";
inline constexpr const wchar_t* kInequalityFunctionSigns = L"Знаки функции:";
// Selection and answer: "Неравенство: f(x) > 0 (включая точки)", "Выбираем интервалы с (+):".
inline constexpr const wchar_t* kInequalityLabel = L"Неравенство: ";
inline constexpr const wchar_t* kInequalityWithPoints = L" (включая точки)";
inline constexpr const wchar_t* kInequalityChoosing = L"Выбираем интервалы с ";
inline constexpr const wchar_t* kInequalityClosedPoints = L"Точки закрашенные (нестрогое неравенство)";
inline constexpr const wchar_t* kInequalityOpenPoints = L"Точки выколотые (строгое неравенство)";
inline constexpr const wchar_t* kInequalityPartSolution = L"Решение: ";
inline constexpr const wchar_t* kInequalityIntersection = L"Результат пересечения:";

// ---- Linear systems ----------------------------------------------------------------------
// The messages that end a solve before the report: "Уравнение " + number + the fault.
inline constexpr const wchar_t* kLinearSystemNoEquations = L"Система не содержит уравнений";
inline constexpr const wchar_t* kLinearSystemNoVariables = L"Не найдены переменные";
inline constexpr const wchar_t* kLinearSystemEquation = L"Уравнение ";
inline constexpr const wchar_t* kLinearSystemNoEquals = L" не содержит =";
inline constexpr const wchar_t* kLinearSystemNotLinear = L" не является линейным";
inline constexpr const wchar_t* kLinearSystemTooComplex = L": слишком сложное выражение";
inline constexpr const wchar_t* kLinearSystemRightSide = L": правая часть должна быть числом";
inline constexpr const wchar_t* kLinearSystemTooLarge = L": слишком большое число";
// The report: "Ур. 1: " + the equation under the title.
inline constexpr const wchar_t* kLinearSystemTitle = L"РЕШЕНИЕ СИСТЕМЫ УРАВНЕНИЙ";
inline constexpr const wchar_t* kLinearSystemEquationLabel = L"Ур. ";
inline constexpr const wchar_t* kLinearSystemMatrixHeading = L"┌─ Матрица коэффициентов ──────────────────────";
inline constexpr const wchar_t* kLinearSystemForwardHeading = L"┌─ Прямой ход (исключение) ────────────────────";
inline constexpr const wchar_t* kLinearSystemBackwardHeading = L"┌─ Обратный ход (подстановка) ─────────────────";
// "Меняем строки 1 и 2", "Строка 2 = Строка 2 - 0.500000 * Строка 1".
inline constexpr const wchar_t* kLinearSystemSwapRows = L"Меняем строки ";
inline constexpr const wchar_t* kLinearSystemAnd = L" и ";
inline constexpr const wchar_t* kLinearSystemRow = L"Строка ";
inline constexpr const wchar_t* kLinearSystemNoUniqueSolution = L"⚠️ Система не имеет единственного решения";
inline constexpr const wchar_t* kLinearSystemOverflow = L"⚠️ Слишком большое число: решение не вычисляется";
// The answer section's heading line, between a rule and the answer lines.
inline constexpr const wchar_t* kLinearSystemAnswerHeading = L"  ОТВЕТ:";

// ---- Steps window ---------------------------------------------------------------------------

}  // namespace abacor::text
