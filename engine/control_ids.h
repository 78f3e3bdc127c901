/* Control identifiers and button codes: the names the engine and every face (the program,
 * kelvora-cli, the tests, the fuzz targets) share. A button's identifier is the code it
 * sends to ProcessButtonClick; the engine finds the controls it reads and writes as
 * children of the main window by these identifiers. No other file spells one as a number.
 *
 * The keypad tables give each key its identifier, the label on the key (UTF-8), the
 * key's name for kelvora-cli (ASCII, null where the command line has none) and the text
 * it types into a formula input (null for keys that do something else).
 */
#ifndef KELVORA_CONTROL_IDS_H
#define KELVORA_CONTROL_IDS_H

#include <stddef.h>
#include <wchar.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Main window ------------------------------------------------------------------ */
enum {
    KV_DISPLAY = 100,
    KV_MODE_BUTTON = 1001,
    KV_MEMORY_LIST = 1610,
    /* The memory indicators "MC", "MR", "M+", "M-", "MS". */
    KV_MEMORY_INDICATOR_MC = 5000,
    KV_MEMORY_INDICATOR_MR = 5001,
    KV_MEMORY_INDICATOR_ADD = 5002,
    KV_MEMORY_INDICATOR_SUBTRACT = 5003,
    KV_MEMORY_INDICATOR_MS = 5004,
    KV_MEMORY_INDICATOR_FIRST = KV_MEMORY_INDICATOR_MC,
    KV_MEMORY_INDICATOR_LAST = KV_MEMORY_INDICATOR_MS,
    KV_MEMORY_INDICATOR_COUNT = 5,
    /* Start-up hides every child in this range. */
    KV_HIDDEN_AT_START_FIRST = 5000,
    KV_HIDDEN_AT_START_LAST = 5200
};

/* ---- Editing the display ---------------------------------------------------------------
 * The program's clipboard and undo edit the display through the engine, which keeps the
 * entry's state: the program writes the text into the hidden paste field and sends
 * KV_DISPLAY_PASTE. The text replaces the selection; without one it replaces a lone "0"
 * or a shown result and is appended to anything else. A text that would make the display
 * longer than it holds changes nothing and records KV_STATUS_REFUSED. */
enum {
    KV_DISPLAY_PASTE = 101,
    KV_DISPLAY_PASTE_TEXT = 102
};

/* ---- Mode commands (menu items) ------------------------------------------------------ */
enum {
    KV_CMD_STANDARD = 2001,
    KV_CMD_SCIENTIFIC = 2400,
    KV_CMD_FRACTIONS = 2003,
    KV_CMD_FORMULAS = 2004,
    KV_CMD_SETTINGS = 2005,
    KV_CMD_SYSTEM = 2006,
    KV_CMD_GRAPHS = 6000,
    KV_CMD_EQUATIONS = 1400,
    KV_CMD_QUADRATIC = 1401,
    KV_CMD_INEQUALITIES = 1402
};

/* ---- Standard keypad (0-24) ----------------------------------------------------------- */
enum {
    KV_STD_CLEAR = 0,
    KV_STD_1 = 1,
    KV_STD_2 = 2,
    KV_STD_3 = 3,
    KV_STD_4 = 4,
    KV_STD_5 = 5,
    KV_STD_6 = 6,
    KV_STD_7 = 7,
    KV_STD_8 = 8,
    KV_STD_9 = 9,
    KV_STD_PLUS = 10,
    KV_STD_MINUS = 11,
    KV_STD_EQUALS = 12,
    KV_STD_TIMES = 14,
    KV_STD_DIVIDE = 15,
    KV_STD_SQUARE = 16,
    KV_STD_SQRT = 17,
    KV_STD_RECIPROCAL = 18,
    KV_STD_PERCENT = 19,
    KV_STD_CLEAR_ENTRY = 20,
    KV_STD_SIGN = 21,
    KV_STD_0 = 22,
    KV_STD_POINT = 23,
    KV_STD_BACKSPACE = 24,
    KV_STD_FIRST = 0,
    KV_STD_LAST = 24
};

/* ---- Scientific keypad (30-64) -------------------------------------------------------- */
enum {
    KV_SCI_PI = 30,
    KV_SCI_E = 31,
    KV_SCI_CLEAR = 32,
    KV_SCI_CLEAR_ENTRY = 33,
    KV_SCI_BACKSPACE = 34,
    KV_SCI_SQUARE = 35,
    KV_SCI_RECIPROCAL = 36,
    KV_SCI_ABS = 37,
    KV_SCI_EXP = 38,
    KV_SCI_MOD = 39,
    KV_SCI_SQRT = 40,
    KV_SCI_OPEN = 41,
    KV_SCI_CLOSE = 42,
    KV_SCI_FACTORIAL = 43,
    KV_SCI_DIVIDE = 44,
    KV_SCI_POWER = 45,
    KV_SCI_7 = 46,
    KV_SCI_8 = 47,
    KV_SCI_9 = 48,
    KV_SCI_TIMES = 49,
    KV_SCI_POW10 = 50,
    KV_SCI_4 = 51,
    KV_SCI_5 = 52,
    KV_SCI_6 = 53,
    KV_SCI_MINUS = 54,
    KV_SCI_LOG = 55,
    KV_SCI_1 = 56,
    KV_SCI_2 = 57,
    KV_SCI_3 = 58,
    KV_SCI_PLUS = 59,
    KV_SCI_LN = 60,
    KV_SCI_SIGN = 61,
    KV_SCI_0 = 62,
    KV_SCI_POINT = 63,
    KV_SCI_EQUALS = 64,
    KV_SCI_FIRST = 30,
    KV_SCI_LAST = 64
};

/* ---- Scientific keypad, trigonometry (65-74) ----------------------------------------- */
enum {
    KV_SCI_SIN = 65,
    KV_SCI_COS = 66,
    KV_SCI_TAN = 67,
    KV_SCI_ASIN = 68,
    KV_SCI_ACOS = 69,
    KV_SCI_ATAN = 70,
    /* The angle unit of these keys; degrees until radians are chosen. */
    KV_SCI_DEGREES = 71,
    KV_SCI_RADIANS = 72,
    /* The program's own keys: "2nd" shows the inverse functions in place of sin, cos and
     * tan; the angle switch sends KV_SCI_DEGREES or KV_SCI_RADIANS. */
    KV_SCI_SECOND = 73,
    KV_SCI_ANGLE_SWITCH = 74,
    KV_SCI_TRIG_FIRST = 65,
    KV_SCI_TRIG_LAST = 74
};

/* ---- Memory keys (1600-1605) -------------------------------------------------------- */
enum {
    KV_MEMORY_CLEAR = 1600,
    KV_MEMORY_RECALL = 1601,
    KV_MEMORY_ADD = 1602,
    KV_MEMORY_SUBTRACT = 1603,
    KV_MEMORY_STORE = 1604,
    KV_MEMORY_SHOW_LIST = 1605,
    KV_MEMORY_FIRST = 1600,
    KV_MEMORY_LAST = 1605
};

/* ---- Fractions panel ---------------------------------------------------------------- */
enum {
    KV_FRACTION_SOLVE = 150,
    KV_FRACTION_SEPARATOR = 154,
    KV_FRACTION_LINE = 1203,
    KV_FRACTION_WHOLE = 1206,
    KV_FRACTION_NUMERATOR = 1207,
    KV_FRACTION_DENOMINATOR = 1208,
    /* The mode shows and hides these two ranges. */
    KV_FRACTION_BUTTONS_FIRST = 150,
    KV_FRACTION_BUTTONS_LAST = 180,
    KV_FRACTION_FIELDS_FIRST = 1200,
    KV_FRACTION_FIELDS_LAST = 1300
};

/* ---- Quadratic panel (1420-1432) ---------------------------------------------------- */
enum {
    KV_QUADRATIC_A = 1420,
    KV_QUADRATIC_SQUARE_LABEL = 1421,
    KV_QUADRATIC_SIGN_B = 1422,
    KV_QUADRATIC_B = 1423,
    KV_QUADRATIC_X_LABEL = 1424,
    KV_QUADRATIC_SIGN_C = 1425,
    KV_QUADRATIC_C = 1426,
    KV_QUADRATIC_EQUALS_LABEL = 1427,
    KV_QUADRATIC_SOLVE = 1428,
    KV_QUADRATIC_ROOT1_LABEL = 1429,
    KV_QUADRATIC_ROOT2_LABEL = 1430,
    KV_QUADRATIC_ROOT1 = 1431,
    KV_QUADRATIC_ROOT2 = 1432,
    KV_QUADRATIC_FIRST = 1420,
    KV_QUADRATIC_LAST = 1500
};

/* ---- Equation panel (1700-1772) ----------------------------------------------------- */
enum {
    KV_EQ_INPUT = 1700,
    KV_EQ_X = 1702,
    KV_EQ_OPEN = 1703,
    KV_EQ_CLOSE = 1704,
    KV_EQ_BACKSPACE = 1705,
    KV_EQ_PLUS = 1706,
    KV_EQ_MINUS = 1707,
    KV_EQ_TIMES = 1708,
    KV_EQ_DIVIDE = 1709,
    KV_EQ_7 = 1710,
    KV_EQ_8 = 1711,
    KV_EQ_9 = 1712,
    KV_EQ_SIGN = 1713,
    KV_EQ_4 = 1714,
    KV_EQ_5 = 1715,
    KV_EQ_6 = 1716,
    KV_EQ_0 = 1717,
    KV_EQ_1 = 1718,
    KV_EQ_2 = 1719,
    KV_EQ_3 = 1720,
    KV_EQ_POINT = 1721,
    KV_EQ_SOLVE = 1722,
    KV_EQ_STEPS = 1726,
    KV_EQ_POWER = 1730,
    KV_EQ_CLEAR = 1731,
    KV_EQ_CLEAR_ENTRY = 1732,
    KV_EQ_EQUALS = 1733,
    /* The four answer rows: a label and a value each; 1741 is a label only the program
     * shows, 1772 a spare value field. */
    KV_EQ_ROW1_LABEL = 1723,
    KV_EQ_ROW1_VALUE = 1724,
    KV_EQ_ROW2_VALUE = 1725,
    KV_EQ_SPARE_LABEL = 1741,
    KV_EQ_ROW2_LABEL = 1742,
    KV_EQ_ROW3_LABEL = 1743,
    KV_EQ_ROW4_LABEL = 1744,
    KV_EQ_ROW3_VALUE = 1770,
    KV_EQ_ROW4_VALUE = 1771,
    KV_EQ_SPARE_VALUE = 1772,
    KV_EQ_KEYS_FIRST = 1702,
    KV_EQ_KEYS_LAST = 1733,
    KV_EQ_FIRST = 1700,
    KV_EQ_LAST = 1772,
    /* Entering the mode shows 1700-1724 and 1726-1740 (not the second row). */
    KV_EQ_SHOWN_LAST = 1740
};

/* ---- System-of-equations panel (1800-1810) ------------------------------------------ */
enum {
    KV_SYS_FIRST_ROW = 1800,
    KV_SYS_MAX_ROWS = 5,
    KV_SYS_ADD = 1805,
    KV_SYS_REMOVE = 1806,
    KV_SYS_SOLVE = 1807,
    KV_SYS_STEPS = 1808,
    KV_SYS_HINT = 1810,
    KV_SYS_FIRST = 1800,
    KV_SYS_LAST = 1810
};

/* ---- Inequality panel (2100-2132) --------------------------------------------------- */
enum {
    KV_INEQ_INPUT = 2100,
    KV_INEQ_GREATER = 2101,
    KV_INEQ_LESS = 2102,
    KV_INEQ_GREATER_EQUAL = 2103,
    KV_INEQ_LESS_EQUAL = 2104,
    KV_INEQ_X = 2105,
    KV_INEQ_OPEN = 2106,
    KV_INEQ_CLOSE = 2107,
    KV_INEQ_BACKSPACE = 2108,
    KV_INEQ_PLUS = 2109,
    KV_INEQ_MINUS = 2110,
    KV_INEQ_TIMES = 2111,
    KV_INEQ_DIVIDE = 2112,
    KV_INEQ_7 = 2113,
    KV_INEQ_8 = 2114,
    KV_INEQ_9 = 2115,
    KV_INEQ_SIGN = 2116,
    KV_INEQ_4 = 2117,
    KV_INEQ_5 = 2118,
    KV_INEQ_6 = 2119,
    KV_INEQ_0 = 2120,
    KV_INEQ_1 = 2121,
    KV_INEQ_2 = 2122,
    KV_INEQ_3 = 2123,
    KV_INEQ_POINT = 2124,
    KV_INEQ_POWER = 2125,
    KV_INEQ_CLEAR = 2126,
    KV_INEQ_CLEAR_ENTRY = 2127,
    KV_INEQ_AND = 2128,
    KV_INEQ_SOLVE = 2129,
    KV_INEQ_STEPS = 2130,
    KV_INEQ_ANSWER = 2132,
    KV_INEQ_KEYS_FIRST = 2101,
    KV_INEQ_KEYS_LAST = 2128,
    KV_INEQ_FIRST = 2100,
    KV_INEQ_LAST = 2132
};

/* ---- Graph input -------------------------------------------------------------------- */
enum {
    KV_GRAPH_INPUT = 2200,
    KV_GRAPH_BUILD = 2201
};

/* ---- Settings page (2400-2700) ------------------------------------------------------ */
enum {
    KV_SETTINGS_QUALITY = 2503,
    KV_SETTINGS_PRECISION = 2505,
    KV_SETTINGS_THEME = 2507,
    KV_SETTINGS_ABOUT = 2508,
    KV_SETTINGS_RESET = 2509,
    KV_SETTINGS_FRACTION_FORMAT = 2514,
    KV_SETTINGS_LINE = 2522,
    KV_SETTINGS_GRID = 2524,
    KV_SETTINGS_LABELS = 2526,
    KV_SETTINGS_MAX_DEGREE = 2530,
    KV_SETTINGS_LANGUAGE = 2532,
    KV_SETTINGS_FIRST = 2400,
    KV_SETTINGS_LAST = 2700
};

/* Every control of the main window has an identifier below this; switching to Settings
 * hides them all. */
enum { KV_CONTROL_ID_END = 10000 };

/* ---- Keypad tables ------------------------------------------------------------------- */
typedef struct KvKey {
    int id;
    const char* label;    /* on the key, UTF-8 */
    const char* name;     /* kelvora-cli's name for it, or null */
    const wchar_t* typed; /* what it types into a formula input, or null */
} KvKey;

/* In creation order: row by row, left to right. "−" and "+/−" are U+2212. */
static const KvKey kvStandardKeys[] = {
    {KV_STD_PERCENT, "%", "%", 0},          {KV_STD_CLEAR_ENTRY, "CE", "CE", 0},
    {KV_STD_CLEAR, "C", "C", 0},            {KV_STD_BACKSPACE, "\xE2\x8C\xAB", "BS", 0},
    {KV_STD_RECIPROCAL, "1/x", "inv", 0},   {KV_STD_SQUARE, "x\xC2\xB2", "sqr", 0},
    {KV_STD_SQRT, "\xE2\x88\x9A", "sqrt", 0}, {KV_STD_DIVIDE, "\xC3\xB7", "/", L"\u00F7"},
    {KV_STD_7, "7", "7", L"7"},             {KV_STD_8, "8", "8", L"8"},
    {KV_STD_9, "9", "9", L"9"},             {KV_STD_TIMES, "\xC3\x97", "*", L"\u00D7"},
    {KV_STD_4, "4", "4", L"4"},             {KV_STD_5, "5", "5", L"5"},
    {KV_STD_6, "6", "6", L"6"},             {KV_STD_PLUS, "+", "+", L"+"},
    {KV_STD_1, "1", "1", L"1"},             {KV_STD_2, "2", "2", L"2"},
    {KV_STD_3, "3", "3", L"3"},             {KV_STD_MINUS, "\xE2\x88\x92", "-", L"-"},
    {KV_STD_SIGN, "+/\xE2\x88\x92", "neg", 0}, {KV_STD_0, "0", "0", L"0"},
    {KV_STD_POINT, ",", ".", L"."},         {KV_STD_EQUALS, "=", "=", 0},
};

/* The multiplication key is a Latin "x" and the minus keys are hyphens: the labels the
 * keys have always had. Keys the standard keypad has too keep their command-line name
 * there. */
static const KvKey kvScientificKeys[] = {
    {KV_SCI_PI, "\xCF\x80", "pi", 0},        {KV_SCI_E, "e", "e", 0},
    {KV_SCI_CLEAR, "C", 0, 0},               {KV_SCI_CLEAR_ENTRY, "CE", 0, 0},
    {KV_SCI_BACKSPACE, "\xE2\x8C\xAB", 0, 0}, {KV_SCI_SQUARE, "x\xC2\xB2", 0, 0},
    {KV_SCI_RECIPROCAL, "1/x", 0, 0},        {KV_SCI_ABS, "|x|", "abs", 0},
    {KV_SCI_EXP, "exp", "exp", 0},           {KV_SCI_MOD, "mod", "mod", 0},
    {KV_SCI_SQRT, "\xE2\x88\x9A", 0, 0},     {KV_SCI_OPEN, "(", "(", L"("},
    {KV_SCI_CLOSE, ")", ")", L")"},          {KV_SCI_FACTORIAL, "n!", "fact", 0},
    {KV_SCI_DIVIDE, "\xC3\xB7", 0, L"\u00F7"}, {KV_SCI_POWER, "x^y", "pow", 0},
    {KV_SCI_7, "7", 0, L"7"},                {KV_SCI_8, "8", 0, L"8"},
    {KV_SCI_9, "9", 0, L"9"},                {KV_SCI_TIMES, "x", 0, L"\u00D7"},
    {KV_SCI_POW10, "10^x", "pow10", 0},      {KV_SCI_4, "4", 0, L"4"},
    {KV_SCI_5, "5", 0, L"5"},                {KV_SCI_6, "6", 0, L"6"},
    {KV_SCI_MINUS, "-", 0, L"-"},            {KV_SCI_LOG, "log", "log", 0},
    {KV_SCI_1, "1", 0, L"1"},                {KV_SCI_2, "2", 0, L"2"},
    {KV_SCI_3, "3", 0, L"3"},                {KV_SCI_PLUS, "+", 0, L"+"},
    {KV_SCI_LN, "ln", "ln", 0},              {KV_SCI_SIGN, "+/-", 0, 0},
    {KV_SCI_0, "0", 0, L"0"},                {KV_SCI_POINT, ",", 0, L"."},
    {KV_SCI_EQUALS, "=", 0, 0},
};

/* "⁻¹" is U+207B U+00B9. The angle keys are labelled by the program, in its language. */
static const KvKey kvTrigKeys[] = {
    {KV_SCI_SIN, "sin", "sin", 0},           {KV_SCI_COS, "cos", "cos", 0},
    {KV_SCI_TAN, "tan", "tan", 0},           {KV_SCI_ASIN, "sin\xE2\x81\xBB\xC2\xB9", "asin", 0},
    {KV_SCI_ACOS, "cos\xE2\x81\xBB\xC2\xB9", "acos", 0}, {KV_SCI_ATAN, "tan\xE2\x81\xBB\xC2\xB9", "atan", 0},
    {KV_SCI_DEGREES, 0, "deg", 0},           {KV_SCI_RADIANS, 0, "rad", 0},
    {KV_SCI_SECOND, "2nd", 0, 0},            {KV_SCI_ANGLE_SWITCH, 0, 0, 0},
};

/* "Mⅴ": the second character is U+2174. */
static const KvKey kvMemoryKeys[] = {
    {KV_MEMORY_CLEAR, "MC", "MC", 0},    {KV_MEMORY_RECALL, "MR", "MR", 0},
    {KV_MEMORY_ADD, "M+", "M+", 0},      {KV_MEMORY_SUBTRACT, "M-", "M-", 0},
    {KV_MEMORY_STORE, "MS", "MS", 0},    {KV_MEMORY_SHOW_LIST, "M\xE2\x85\xB4", 0, 0},
};

/* "𝑥" is U+1D465. */
static const KvKey kvEquationKeys[] = {
    {KV_EQ_X, "\xF0\x9D\x91\xA5", 0, L"x"}, {KV_EQ_OPEN, "(", 0, L"("},
    {KV_EQ_CLOSE, ")", 0, L")"},            {KV_EQ_BACKSPACE, "\xE2\x8C\xAB", 0, 0},
    {KV_EQ_PLUS, "+", 0, L"+"},             {KV_EQ_MINUS, "-", 0, L"-"},
    {KV_EQ_TIMES, "\xC3\x97", 0, L"*"},     {KV_EQ_DIVIDE, "\xC3\xB7", 0, L"/"},
    {KV_EQ_7, "7", 0, L"7"},                {KV_EQ_8, "8", 0, L"8"},
    {KV_EQ_9, "9", 0, L"9"},                {KV_EQ_SIGN, "+/-", 0, 0},
    {KV_EQ_4, "4", 0, L"4"},                {KV_EQ_5, "5", 0, L"5"},
    {KV_EQ_6, "6", 0, L"6"},                {KV_EQ_0, "0", 0, L"0"},
    {KV_EQ_1, "1", 0, L"1"},                {KV_EQ_2, "2", 0, L"2"},
    {KV_EQ_3, "3", 0, L"3"},                {KV_EQ_POINT, ",", 0, L"."},
    {KV_EQ_POWER, "^", 0, 0},               {KV_EQ_CLEAR, "C", 0, 0},
    {KV_EQ_CLEAR_ENTRY, "CE", 0, 0},        {KV_EQ_EQUALS, "=", 0, L"="},
};

/* A button shows "&&" as "&". */
static const KvKey kvInequalityKeys[] = {
    {KV_INEQ_GREATER, ">", 0, L">"},        {KV_INEQ_LESS, "<", 0, L"<"},
    {KV_INEQ_GREATER_EQUAL, "\xE2\x89\xA5", 0, L"\u2265"}, {KV_INEQ_LESS_EQUAL, "\xE2\x89\xA4", 0, L"\u2264"},
    {KV_INEQ_X, "\xF0\x9D\x91\xA5", 0, L"x"}, {KV_INEQ_OPEN, "(", 0, L"("},
    {KV_INEQ_CLOSE, ")", 0, L")"},          {KV_INEQ_BACKSPACE, "\xE2\x8C\xAB", 0, 0},
    {KV_INEQ_PLUS, "+", 0, L"+"},           {KV_INEQ_MINUS, "-", 0, L"-"},
    {KV_INEQ_TIMES, "\xC3\x97", 0, L"\u00D7"}, {KV_INEQ_DIVIDE, "\xC3\xB7", 0, L"\u00F7"},
    {KV_INEQ_7, "7", 0, L"7"},              {KV_INEQ_8, "8", 0, L"8"},
    {KV_INEQ_9, "9", 0, L"9"},              {KV_INEQ_SIGN, "+/-", 0, 0},
    {KV_INEQ_4, "4", 0, L"4"},              {KV_INEQ_5, "5", 0, L"5"},
    {KV_INEQ_6, "6", 0, L"6"},              {KV_INEQ_0, "0", 0, L"0"},
    {KV_INEQ_1, "1", 0, L"1"},              {KV_INEQ_2, "2", 0, L"2"},
    {KV_INEQ_3, "3", 0, L"3"},              {KV_INEQ_POINT, ",", 0, L"."},
    {KV_INEQ_POWER, "^", 0, 0},             {KV_INEQ_CLEAR, "C", 0, 0},
    {KV_INEQ_CLEAR_ENTRY, "CE", 0, 0},      {KV_INEQ_AND, "&&", 0, L"&"},
};

#define KV_KEY_COUNT(table) (sizeof(table) / sizeof((table)[0]))

/* The key with this identifier in a table, or null. */
static inline const KvKey* KvFindKey(const KvKey* table, size_t count, int id) {
    size_t i;
    for (i = 0; i < count; ++i) {
        if (table[i].id == id) return &table[i];
    }
    return 0;
}

#ifdef __cplusplus
}
#endif

#endif
