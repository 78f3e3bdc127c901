// The program's own texts, in UTF-8: what its window, menu, panels, settings page and
// message boxes show. The keys' labels are in control_ids.h; what the library writes is
// the library's.
#pragma once

namespace kelvora::ui {

// ---- Main window ------------------------------------------------------------------------
inline constexpr const char* kWindowTitle = "Калькулятор";
inline constexpr const char* kModeButton = "≡";
inline constexpr const char* kBuildGraph = "Построить";
inline constexpr const char* kSolve = "Решить";
inline constexpr const char* kSteps = "i";
inline constexpr const char* kAnswer = "Ответ:";
inline constexpr const char* kFractionResult = "Результат:";

// ---- History -----------------------------------------------------------------------------
inline constexpr const char* kHistoryTitle = "История";
inline constexpr const char* kHistoryToggle = "показать или скрыть историю";
inline constexpr const char* kHistoryClear = "Очистить";
inline constexpr const char* kHistoryCopyText = "Копировать выражение";
inline constexpr const char* kHistoryCopyResult = "Копировать результат";
// %1: what was calculated, %2: its answer.
inline constexpr const char* kHistoryItem = "%1 → %2";
// The answer of a graph that was drawn.
inline constexpr const char* kHistoryPlotted = "график построен";

// ---- Mode menu --------------------------------------------------------------------------
inline constexpr const char* kStandard = "Стандартный";
inline constexpr const char* kScientific = "Научный";
inline constexpr const char* kFractions = "Дроби";  // also the settings page's fraction row
inline constexpr const char* kGraphs = "Графики функций";
inline constexpr const char* kEquationsMenu = "📐 Уравнения";
inline constexpr const char* kEquations = "Уравнения";
inline constexpr const char* kInequalities = "Неравенства";
inline constexpr const char* kQuadratic = "Квадратное уравнение";
inline constexpr const char* kSystems = "Системы уравнений";
inline constexpr const char* kSettings = "⚙️ Настройки";

// ---- Mode captions ----------------------------------------------------------------------
// The double blank before "▼" (and the single one of "Дроби") are the program's own.
inline constexpr const char* kStandardCaption = "Стандартный  ▼";
inline constexpr const char* kScientificCaption = "Научный  ▼";
inline constexpr const char* kFractionsCaption = "Дроби ▼";
inline constexpr const char* kEquationsCaption = "Уравнения  ▼";
inline constexpr const char* kSettingsCaption = "Настройки  ▼";
inline constexpr const char* kGraphsCaption = "Графики  ▼";
inline constexpr const char* kFormulasCaption = "Формулы  ▼";
inline constexpr const char* kInequalitiesCaption = "Неравенства  ▼";
inline constexpr const char* kQuadraticCaption = "Квадратное уравнение  ▼";
inline constexpr const char* kSystemsCaption = "Системы уравнений  ▼";

// ---- Scientific keypad: the angle unit switch of sin, cos and tan ----------------------
inline constexpr const char* kDegreesKey = "Град";
inline constexpr const char* kRadiansKey = "Рад";

// ---- About ------------------------------------------------------------------------------
inline constexpr const char* kAboutCaption = "О программе";
inline constexpr const char* kAboutText =
    "Kelvora 1.0\n\nМногофункциональный калькулятор\nдля школьников и студентов\n\n"
    "• Стандартный и научный режимы\n• Дроби с приоритетами операций\n"
    "• Решение уравнений с пошаговым выводом\n• Неравенства с координатной прямой\n"
    "• Графики функций (явные и неявные)\n• Поддержка sin, cos, tan, log, ln, exp, sqrt\n"
    "• Квадратные уравнения и системы линейных уравнений\n\n"
    "Все вычисления выполняет библиотека abacor.\nНастройки и история сохраняются между запусками.";

// ---- Equation and quadratic panels ------------------------------------------------------
inline constexpr const char* kRootLabel = "X= ";
inline constexpr const char* kRoot1Label = "X₁= ";
inline constexpr const char* kRoot2Label = "X₂= ";
inline constexpr const char* kRoot3Label = "X₃= ";
inline constexpr const char* kRoot4Label = "X₄= ";
inline constexpr const char* kSquareLabel = "x²";
inline constexpr const char* kXLabel = "x";
inline constexpr const char* kEqualsZeroLabel = "= 0";
inline constexpr const char* kQuadraticRoot1Label = "x₁ = ";
inline constexpr const char* kQuadraticRoot2Label = "x₂ = ";
inline constexpr const char* kPlus = "+";
inline constexpr const char* kMinus = "−";  // U+2212

// ---- System-of-equations panel ----------------------------------------------------------
inline constexpr const char* kSystemHint = "Например: 2x+y=5";
// %1: the row's number from 1.
inline constexpr const char* kSystemRowLabel = "Ур. %1:";
inline constexpr const char* kNoEquations = "Введите уравнения";
inline constexpr const char* kErrorCaption = "Ошибка";

// ---- Settings page ----------------------------------------------------------------------
inline constexpr const char* kSettingsTitle = "⚙️  Настройки";
inline constexpr const char* kCalculationsHeading = "🔢  ВЫЧИСЛЕНИЯ";
inline constexpr const char* kPrecision = "Точность";
inline constexpr const char* kMaxDegree = "Макс. степень";
inline constexpr const char* kGraphsHeading = "📈  ГРАФИКИ";
inline constexpr const char* kQuality = "Качество";
inline constexpr const char* kLine = "Линия";
inline constexpr const char* kGrid = "Сетка";
inline constexpr const char* kLabels = "Подписи";
inline constexpr const char* kAppearanceHeading = "🎨  ОФОРМЛЕНИЕ";
inline constexpr const char* kTheme = "Тема";
inline constexpr const char* kLanguage = "Язык";

inline constexpr const char* kAuto = "Авто";
inline constexpr const char* kShow = "Показывать";
inline constexpr const char* kHide = "Скрыть";
inline constexpr const char* kPrecisionItems[] = {"2 знака", "4 знака", "6 знаков", kAuto};
inline constexpr const char* kMaxDegreeItems[] = {"9", "25", "50", "100"};
inline constexpr const char* kFractionFormatItems[] = {"Обыкновенные", "Десятичные", kAuto};
inline constexpr const char* kQualityItems[] = {"Низкое", "Среднее", "Высокое"};
inline constexpr const char* kLineItems[] = {"Тонкая", "Средняя", "Жирная"};
inline constexpr const char* kShowHideItems[] = {kShow, kHide};
inline constexpr const char* kThemeItems[] = {"☀️ Светлая", "🌙 Тёмная", "💻 Системная"};
inline constexpr const char* kLanguageItems[] = {"🇷🇺 Русский", "En English"};

inline constexpr const char* kAboutButton = "ℹ️  О программе";
inline constexpr const char* kResetButton = "🔄  Сбросить";

inline constexpr const char* kHighDegreeWarning =
    "Внимание!\n\nСтепень 50+ может вызвать зависание на слабых ПК.\nРекомендуется 9-25.";
inline constexpr const char* kWarningCaption = "Предупреждение";
inline constexpr const char* kFractionFormatNotice = "Формат дробей будет добавлен в следующей версии!";
inline constexpr const char* kNotYetCaption = "Пока не работает";
inline constexpr const char* kLanguageNotice = "English language will be added in the next version!";
inline constexpr const char* kComingSoonCaption = "Coming soon";
inline constexpr const char* kResetQuestion = "Сбросить все настройки к значениям по умолчанию?";
inline constexpr const char* kConfirmCaption = "Подтверждение";
inline constexpr const char* kResetDone = "Настройки сброшены!";
inline constexpr const char* kSuccessCaption = "Успех";

// ---- Keyboard, clipboard and accessible names ---------------------------------------------
inline constexpr const char* kKeysHelpItem = "Клавиши";
inline constexpr const char* kKeysHelpCaption = "Клавиши";
inline constexpr const char* kKeysHelpKeypad = "Стандартный и научный режимы:";
inline constexpr const char* kKeysHelpPanels = "Дроби, уравнения, неравенства, системы, графики:";
inline constexpr const char* kKeysHelpEditing = "Правка (в каждом поле и на табло):";
// %1: the keys, %2: what they do.
inline constexpr const char* kKeysHelpLine = "%1 — %2";
inline constexpr const char* kRunPanel = "Вычислить, Решить или Построить";
inline constexpr const char* kClearField = "очистить поле";
inline constexpr const char* kSelectAll = "выделить всё";
inline constexpr const char* kCopy = "копировать (без выделения — результат)";
inline constexpr const char* kCut = "вырезать";
inline constexpr const char* kPaste = "вставить";
inline constexpr const char* kUndo = "отменить";
inline constexpr const char* kRedo = "повторить";
// %1: how many characters the field holds.
inline constexpr const char* kPasteTooLong = "Текст не вставлен: поле вмещает не больше %1 символов.";
// %1: the key's name, %2: its keys.
inline constexpr const char* kKeyToolTip = "%1 (%2)";

inline constexpr const char* kNameDigit = "цифра %1";
inline constexpr const char* kNameDigits = "цифры";
inline constexpr const char* kNamePoint = "десятичная запятая";
inline constexpr const char* kNamePlus = "плюс";
inline constexpr const char* kNameMinus = "минус";
inline constexpr const char* kNameTimes = "умножить";
inline constexpr const char* kNameDivide = "разделить";
inline constexpr const char* kNameEquals = "равно";
inline constexpr const char* kNameClear = "очистить";
inline constexpr const char* kNameClearEntry = "очистить ввод";
inline constexpr const char* kNameBackspace = "стереть символ";
inline constexpr const char* kNameSquare = "квадрат";
inline constexpr const char* kNameSquareRoot = "квадратный корень";
inline constexpr const char* kNameReciprocal = "обратное число";
inline constexpr const char* kNamePercent = "процент";
inline constexpr const char* kNameSign = "сменить знак";
inline constexpr const char* kNamePi = "число пи";
inline constexpr const char* kNameE = "число e";
inline constexpr const char* kNameAbs = "модуль";
inline constexpr const char* kNameExp = "экспонента";
inline constexpr const char* kNameMod = "остаток от деления";
inline constexpr const char* kNameOpen = "открыть скобку";
inline constexpr const char* kNameClose = "закрыть скобку";
inline constexpr const char* kNameFactorial = "факториал";
inline constexpr const char* kNamePower = "степень";
inline constexpr const char* kNamePowerOfTen = "десять в степени";
inline constexpr const char* kNameLog = "десятичный логарифм";
inline constexpr const char* kNameLn = "натуральный логарифм";
inline constexpr const char* kNameX = "икс";
inline constexpr const char* kNameGreater = "больше";
inline constexpr const char* kNameLess = "меньше";
inline constexpr const char* kNameGreaterEqual = "больше или равно";
inline constexpr const char* kNameLessEqual = "меньше или равно";
inline constexpr const char* kNameAnd = "и (система неравенств)";
inline constexpr const char* kNameMemoryClear = "очистить память";
inline constexpr const char* kNameMemoryRecall = "вызвать из памяти";
inline constexpr const char* kNameMemoryAdd = "прибавить к памяти";
inline constexpr const char* kNameMemorySubtract = "вычесть из памяти";
inline constexpr const char* kNameMemoryStore = "сохранить в память";
inline constexpr const char* kNameMemoryList = "список памяти";
inline constexpr const char* kNameModeMenu = "меню режимов";
inline constexpr const char* kNameSteps = "пошаговое решение";
inline constexpr const char* kNameDisplay = "табло";
inline constexpr const char* kNameFractionLine = "выражение с дробями";
inline constexpr const char* kNameFractionWhole = "целая часть";
inline constexpr const char* kNameFractionNumerator = "числитель";
inline constexpr const char* kNameFractionDenominator = "знаменатель";
inline constexpr const char* kNameEquation = "уравнение";
inline constexpr const char* kNameInequality = "неравенство";
inline constexpr const char* kNameInequalityAnswer = "ответ";
inline constexpr const char* kNameGraphFormula = "функция для графика";
inline constexpr const char* kNameCoefficient = "коэффициент %1";
inline constexpr const char* kNameCoefficientSign = "знак перед %1";
inline constexpr const char* kNameRoot = "корень %1";
inline constexpr const char* kNameSystemRow = "уравнение %1 системы";
inline constexpr const char* kNameAddRow = "добавить уравнение";
inline constexpr const char* kNameRemoveRow = "убрать уравнение";
// ---- Graph view tools: key points, start view, saving the picture --------------------------
inline constexpr const char* kGraphKeyPoints = "Точки";
inline constexpr const char* kGraphHome = "Исходный вид";
inline constexpr const char* kGraphSave = "Сохранить…";
inline constexpr const char* kGraphSaveCaption = "Сохранить рисунок";
inline constexpr const char* kGraphSaveFilter = "Рисунок PNG (*.png);;Рисунок SVG (*.svg)";
inline constexpr const char* kGraphSaveFailed = "Не удалось сохранить рисунок.";

}  // namespace kelvora::ui
