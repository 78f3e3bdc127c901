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
// Answer rows.
inline constexpr const wchar_t* kRootLabel = L"X =";
inline constexpr const wchar_t* kRootLabels[4] = {L"X₁ =", L"X₂ =", L"X₃ =", L"X₄ ="};
inline constexpr const wchar_t* kSimplifiedLabel = L"Упрощённое:";
inline constexpr const wchar_t* kNoRoots = L"Нет корней";
inline constexpr const wchar_t* kNoSolutions = L"Нет решений";
inline constexpr const wchar_t* kEveryNumber = L"x ∈ ℝ";
inline constexpr const wchar_t* kTwoEqualsSigns = L"Два знака '='";
inline constexpr const wchar_t* kOnlyX = L"Уравнение должно содержать только x";
inline constexpr const wchar_t* kTooLargeNumber = L"Слишком большое число";
// Report titles and the lines under them.
inline constexpr const wchar_t* kEquationTitle = L"РЕШЕНИЕ УРАВНЕНИЯ";
inline constexpr const wchar_t* kOriginalEquation = L"Исходное уравнение: ";
inline constexpr const wchar_t* kSimplificationTitle = L"УПРОЩЕНИЕ ВЫРАЖЕНИЯ";
inline constexpr const wchar_t* kOriginalExpression = L"Исходное выражение: ";
inline constexpr const wchar_t* kSimplifiedBanner = L"Упрощение завершено!";
// Section headings.
inline constexpr const wchar_t* kResultHeading = L"┌─ Результат ─────────────────────────────────";
inline constexpr const wchar_t* kSplitHeading = L"┌─ Шаг 1: Разделение на части ─────────────────";
inline constexpr const wchar_t* kExpandHeading = L"┌─ Шаг 2: Раскрытие скобок ────────────────────";
inline constexpr const wchar_t* kMoveLeftHeading = L"┌─ Шаг 3: Перенос в левую часть ───────────────";
inline constexpr const wchar_t* kLinearHeading = L"┌─ Шаг 4: Решение линейного уравнения ─────────";
inline constexpr const wchar_t* kQuadraticHeading = L"┌─ Шаг 4: Решение квадратного уравнения ───────";
inline constexpr const wchar_t* kHigherDegreeHeading = L"┌─ Шаг 4: Решение уравнения высшей степени ────";
inline constexpr const wchar_t* kExtraneousHeading = L"┌─ Посторонние корни ──────────────────────────";
inline constexpr const wchar_t* kSubstitutionHeading = L"┌─ Шаг 5: Проверка подстановкой ────────────────";
inline constexpr const wchar_t* kSimplifyHeading = L"┌─ Шаг 1: Раскрытие скобок ────────────────────";
inline constexpr const wchar_t* kEqualDenominatorsHeading = L"┌─ Одинаковые знаменатели ────────────────────";
inline constexpr const wchar_t* kTimesDenominatorHeading = L"┌─ Шаг 0: Умножение на знаменатель ────────────";
inline constexpr const wchar_t* kFractionsWithXHeading = L"┌─ Приведение дробей с x ───────────────────────";
inline constexpr const wchar_t* kFractionsInBracketsHeading = L"┌─ Дроби с x внутри скобок ────────────────────";
// Steps 1 to 3 and the simplification.
inline constexpr const wchar_t* kLeftSide = L"Левая часть:  ";
inline constexpr const wchar_t* kRightSide = L"Правая часть: ";
inline constexpr const wchar_t* kSimplifiedResult = L"Результат: ";
inline constexpr const wchar_t* kSkippedNote = L"⚠️ Пропущено: ";
// Verdicts without x.
inline constexpr const wchar_t* kAlwaysHolds = L"0 = 0 → x — любое число";
inline constexpr const wchar_t* kAlwaysHoldsForAll = L"0 = 0 → x — любое число (x ∈ ℝ)";
inline constexpr const wchar_t* kNeverHolds = L" = 0 → решений нет";  // after the free term
// Step 4 of a linear and a quadratic equation.
inline constexpr const wchar_t* kLinearType = L"Тип: линейное уравнение (степень 1)";
inline constexpr const wchar_t* kQuadraticType = L"Тип: квадратное уравнение (степень 2)";
inline constexpr const wchar_t* kQuadraticForm = L"Общий вид: ax² + bx + c = 0";
inline constexpr const wchar_t* kDiscriminantFormula = L"Дискриминант: D = b² - 4ac";
inline constexpr const wchar_t* kNegativeDiscriminant = L"D < 0 → действительных корней нет";
inline constexpr const wchar_t* kZeroDiscriminant = L"D = 0 → один корень";
inline constexpr const wchar_t* kPositiveDiscriminant = L"D > 0 → два корня";
// Step 4 of a higher degree: "Тип: уравнение степени " + degree.
inline constexpr const wchar_t* kHigherDegreeType = L"Тип: уравнение степени ";
inline constexpr const wchar_t* kZeroFreeTerm = L"Свободный член = 0 → x = 0 является корнем";
inline constexpr const wchar_t* kAfterFactoringX = L"После вынесения x: x(";  // + quotient + ") = 0"
inline constexpr const wchar_t* kDivisorSearch = L"Поиск рациональных корней перебором";
inline constexpr const wchar_t* kDivisorSearchCont = L"среди делителей свободного члена...";
inline constexpr const wchar_t* kFreeTermPrefix = L"Свободный член ";  // + value + kFreeTermTooLarge
inline constexpr const wchar_t* kFreeTermTooLarge = L" слишком велик: делители не перебираются";
inline constexpr const wchar_t* kValuesTested = L"Проверено значений: ";
inline constexpr const wchar_t* kNewtonSearch = L"Поиск иррациональных корней (метод Ньютона)...";
inline constexpr const wchar_t* kNewtonRootFound = L"✓ Найден корень: x ≈ ";
inline constexpr const wchar_t* kDivisorRootFound = L"✓ Найден корень: x = ";
inline constexpr const wchar_t* kNoRationalRoots = L"Рациональные корни не обнаружены";
inline constexpr const wchar_t* kRootsFound = L"Найденные корни:";
inline constexpr const wchar_t* kDivisorsOfFreeTerm = L"Делители свободного члена (±";
// "Делители больше " + last + " не проверялись (всего делителей: " + count + ")".
inline constexpr const wchar_t* kDivisorsAbove = L"Делители больше ";
inline constexpr const wchar_t* kDivisorsNotTried = L" не проверялись (всего делителей: ";
// Extraneous roots and the substitution check.
inline constexpr const wchar_t* kExtraneousRoot = L" — посторонний корень (знаменатель обращается в 0)";
inline constexpr const wchar_t* kNoOtherRoots = L"Других корней нет → решений нет";
inline constexpr const wchar_t* kCheckPasses = L"  ✅ Верно!";
inline constexpr const wchar_t* kCheckFails = L"  ⚠️ Не совпадает";
// Denominators.
inline constexpr const wchar_t* kNewEquation = L"Новое уравнение:";
inline constexpr const wchar_t* kNewEquationInline = L"Новое уравнение: ";
inline constexpr const wchar_t* kDenominatorsCancel = L"Знаменатели сокращаются: ";
inline constexpr const wchar_t* kDividesBy = L"Уравнение содержит деление на ";
inline constexpr const wchar_t* kMultiplyBothSidesBy = L"Умножаем обе части на ";  // + denominator + ":"
// "Найдено дробей с x: " + count + " — больше " + limit + ", приведение не выполнено".
inline constexpr const wchar_t* kFractionsFound = L"Найдено дробей с x: ";
inline constexpr const wchar_t* kFractionsMoreThan = L" — больше ";
inline constexpr const wchar_t* kFractionsNotCleared = L", приведение не выполнено";
inline constexpr const wchar_t* kFractionsListed = L"Найдены дроби:";
inline constexpr const wchar_t* kCommonDenominator = L"Общий знаменатель: ";
inline constexpr const wchar_t* kMultiplyByCommon = L"Умножаем обе части на общий знаменатель";
inline constexpr const wchar_t* kFractionInBrackets = L"⚠️ Дробь с x внутри скобок не приводится к общему знаменателю:";
inline constexpr const wchar_t* kSolutionMayBeWrong = L"решение ниже может быть неполным или неверным";
// What an expansion leaves out: "больше " + limit + " членов", "деление остановлено после
// " + rounds + " шагов", "степень выше максимальной (" + degree + ")".
inline constexpr const wchar_t* kMoreTermsThan = L"больше ";
inline constexpr const wchar_t* kTerms = L" членов";
inline constexpr const wchar_t* kTooLongComputation = L"слишком долгое вычисление";
inline constexpr const wchar_t* kDivisionStoppedAfter = L"деление остановлено после ";
inline constexpr const wchar_t* kDivisionSteps = L" шагов";
inline constexpr const wchar_t* kDegreeAboveMaximum = L"степень выше максимальной (";

// ---- Inequalities and the number line ------------------------------------------------

// ---- Linear systems ----------------------------------------------------------------------

// ---- Steps window ---------------------------------------------------------------------------

}  // namespace abacor::text
