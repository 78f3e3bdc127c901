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
// A function key outside its domain (a negative square root, the log of 0, 171!), and "="
// on a text without a value for any other reason (sqrt(-1)+2, a text it cannot read).
inline constexpr const wchar_t* kError = L"Ошибка";
// 1/x of 0 and "=" of a division by 0 on the keypad, and a fraction line that divides by 0.
inline constexpr const wchar_t* kDivisionByZero = L"Деление на 0";
// A number beyond what can be computed exactly or shown ("=" of 1e308*10).
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
inline constexpr const wchar_t* kErrorCaption = L"Ошибка";

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
// The answer when a part of an equation could not be expanded within those limits.
inline constexpr const wchar_t* kEquationTooComplex = L"Уравнение слишком сложное для решения";
inline constexpr const wchar_t* kExpressionTooComplex = L"Выражение слишком сложное для упрощения";

// ---- Exact roots of equations -----------------------------------------------------------
// Step 4 of a higher degree, when the search above missed roots that exact root isolation
// found, before the list of every root.
inline constexpr const wchar_t* kRootsByIsolation = L"Остальные корни найдены точным отделением корней";
// A multiple root in the list: "x1 = 2" + " (кратность " + 3 + ")".
inline constexpr const wchar_t* kMultiplicityOpen = L" (кратность ";
inline constexpr const wchar_t* kMultiplicityClose = L")";
// The last answer row when there are more roots than rows: label, then
// "ещё корней: " + count + ", все — в отчёте".
inline constexpr const wchar_t* kMoreRootsLabel = L"…";
inline constexpr const wchar_t* kMoreRootsPrefix = L"ещё корней: ";
inline constexpr const wchar_t* kMoreRootsSuffix = L", все — в отчёте";
// Root labels past the fourth row, for the full list of roots: "X" + subscript number + " =".
inline constexpr const wchar_t* kRootLabelLetter = L"X";
inline constexpr const wchar_t* kRootLabelEnd = L" =";
// An identity whose denominators vanish somewhere: kEveryNumber + ", x ≠ " + each value, and
// the report's result line "0 = 0 → x — любое число из области определения (" + answer + ")".
inline constexpr const wchar_t* kExcludedValue = L", x ≠ ";
// kEveryNumber + this when the denominators' zeros cannot be found in time.
inline constexpr const wchar_t* kExceptDenominatorZeros = L", кроме нулей знаменателей";
inline constexpr const wchar_t* kAlwaysHoldsInDomain = L"0 = 0 → x — любое число из области определения (";
inline constexpr const wchar_t* kAlwaysHoldsInDomainClose = L")";

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
// A zero of a denominator: a point cut out of every answer.
inline constexpr const wchar_t* kInequalityExcludedZero = L"  (знаменатель равен 0: точка выколота)";
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
// Equations joined by commas: "x + y = 3, x - y = 1".
inline constexpr const wchar_t* kLinearSystemCommaSeparator = L"Разделяйте уравнения знаком ';'";
inline constexpr const wchar_t* kLinearSystemEquation = L"Уравнение ";
inline constexpr const wchar_t* kLinearSystemNoEquals = L" не содержит =";
inline constexpr const wchar_t* kLinearSystemNotLinear = L" не является линейным";
inline constexpr const wchar_t* kLinearSystemTooComplex = L": слишком сложное выражение";
inline constexpr const wchar_t* kLinearSystemRightSide = L": правая часть должна быть числом";
inline constexpr const wchar_t* kLinearSystemTooLarge = L": слишком большое число";
inline constexpr const wchar_t* kLinearSystemZeroDivisor = L": деление на ноль";
// The report: "Ур. 1: " + the equation under the title.
inline constexpr const wchar_t* kLinearSystemTitle = L"РЕШЕНИЕ СИСТЕМЫ УРАВНЕНИЙ";
inline constexpr const wchar_t* kLinearSystemEquationLabel = L"Ур. ";
inline constexpr const wchar_t* kLinearSystemMatrixHeading = L"┌─ Матрица коэффициентов ──────────────────────";
inline constexpr const wchar_t* kLinearSystemForwardHeading = L"┌─ Прямой ход (исключение) ────────────────────";
inline constexpr const wchar_t* kLinearSystemBackwardHeading = L"┌─ Обратный ход (подстановка) ─────────────────";
// "Меняем строки 1 и 2", "Строка 2 = Строка 2 - 0.5 · Строка 1".
inline constexpr const wchar_t* kLinearSystemSwapRows = L"Меняем строки ";
inline constexpr const wchar_t* kLinearSystemAnd = L" и ";
inline constexpr const wchar_t* kLinearSystemRow = L"Строка ";
inline constexpr const wchar_t* kLinearSystemNoUniqueSolution = L"⚠️ Система не имеет единственного решения";
inline constexpr const wchar_t* kLinearSystemOverflow = L"⚠️ Слишком большое число: решение не вычисляется";
// The answer section's heading line, between a rule and the answer lines.
inline constexpr const wchar_t* kLinearSystemAnswerHeading = L"  ОТВЕТ:";

// ---- Step report lines that say what happened ----------------------------------------------
// A rational root Newton's method found beyond the divisors of the free term: "x = 0.5 = 1/2".
inline constexpr const wchar_t* kRationalRootFound = L"✓ Найден рациональный корень: x = ";
// Zeros of f that satisfy a non-strict inequality on their own, listed after the intervals.
inline constexpr const wchar_t* kInequalityZeroPoints = L"Точки, где f(x) = 0:";
// The matrix after forward elimination and the reason a system has no single answer.
inline constexpr const wchar_t* kLinearSystemEchelonHeading = L"┌─ Ступенчатый вид (после прямого хода) ───────";
inline constexpr const wchar_t* kLinearSystemInconsistent = L"Система несовместна (нет решений)";
inline constexpr const wchar_t* kLinearSystemInfinitelyMany = L"Система имеет бесконечно много решений";

// ---- Steps window ---------------------------------------------------------------------------
inline constexpr const wchar_t* kStepsTitle = L"Пошаговое решение";

}  // namespace abacor::text
