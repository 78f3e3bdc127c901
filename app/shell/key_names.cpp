#include "key_names.h"

#include <iterator>

#include "control_ids.h"
#include "ui_texts.h"

namespace kelvora {

namespace {

struct Name {
    int id;
    const char* name;
};

// The keys' names, keypad by keypad; digits are named by what they type.
constexpr Name kNames[] = {
    {KV_STD_PERCENT, ui::kNamePercent},       {KV_STD_CLEAR_ENTRY, ui::kNameClearEntry},
    {KV_STD_CLEAR, ui::kNameClear},           {KV_STD_BACKSPACE, ui::kNameBackspace},
    {KV_STD_RECIPROCAL, ui::kNameReciprocal}, {KV_STD_SQUARE, ui::kNameSquare},
    {KV_STD_SQRT, ui::kNameSquareRoot},       {KV_STD_DIVIDE, ui::kNameDivide},
    {KV_STD_TIMES, ui::kNameTimes},           {KV_STD_PLUS, ui::kNamePlus},
    {KV_STD_MINUS, ui::kNameMinus},           {KV_STD_SIGN, ui::kNameSign},
    {KV_STD_POINT, ui::kNamePoint},           {KV_STD_EQUALS, ui::kNameEquals},

    {KV_SCI_PI, ui::kNamePi},                 {KV_SCI_E, ui::kNameE},
    {KV_SCI_CLEAR, ui::kNameClear},           {KV_SCI_CLEAR_ENTRY, ui::kNameClearEntry},
    {KV_SCI_BACKSPACE, ui::kNameBackspace},   {KV_SCI_SQUARE, ui::kNameSquare},
    {KV_SCI_RECIPROCAL, ui::kNameReciprocal}, {KV_SCI_ABS, ui::kNameAbs},
    {KV_SCI_EXP, ui::kNameExp},               {KV_SCI_MOD, ui::kNameMod},
    {KV_SCI_SQRT, ui::kNameSquareRoot},       {KV_SCI_OPEN, ui::kNameOpen},
    {KV_SCI_CLOSE, ui::kNameClose},           {KV_SCI_FACTORIAL, ui::kNameFactorial},
    {KV_SCI_DIVIDE, ui::kNameDivide},         {KV_SCI_POWER, ui::kNamePower},
    {KV_SCI_TIMES, ui::kNameTimes},           {KV_SCI_POW10, ui::kNamePowerOfTen},
    {KV_SCI_MINUS, ui::kNameMinus},           {KV_SCI_LOG, ui::kNameLog},
    {KV_SCI_PLUS, ui::kNamePlus},             {KV_SCI_LN, ui::kNameLn},
    {KV_SCI_SIGN, ui::kNameSign},             {KV_SCI_POINT, ui::kNamePoint},
    {KV_SCI_EQUALS, ui::kNameEquals},

    {KV_MEMORY_CLEAR, ui::kNameMemoryClear},  {KV_MEMORY_RECALL, ui::kNameMemoryRecall},
    {KV_MEMORY_ADD, ui::kNameMemoryAdd},      {KV_MEMORY_SUBTRACT, ui::kNameMemorySubtract},
    {KV_MEMORY_STORE, ui::kNameMemoryStore},  {KV_MEMORY_SHOW_LIST, ui::kNameMemoryList},

    {KV_EQ_X, ui::kNameX},                    {KV_EQ_OPEN, ui::kNameOpen},
    {KV_EQ_CLOSE, ui::kNameClose},            {KV_EQ_BACKSPACE, ui::kNameBackspace},
    {KV_EQ_PLUS, ui::kNamePlus},              {KV_EQ_MINUS, ui::kNameMinus},
    {KV_EQ_TIMES, ui::kNameTimes},            {KV_EQ_DIVIDE, ui::kNameDivide},
    {KV_EQ_SIGN, ui::kNameSign},              {KV_EQ_POINT, ui::kNamePoint},
    {KV_EQ_POWER, ui::kNamePower},            {KV_EQ_CLEAR, ui::kNameClear},
    {KV_EQ_CLEAR_ENTRY, ui::kNameClearEntry}, {KV_EQ_EQUALS, ui::kNameEquals},
    {KV_EQ_STEPS, ui::kNameSteps},

    {KV_INEQ_GREATER, ui::kNameGreater},      {KV_INEQ_LESS, ui::kNameLess},
    {KV_INEQ_GREATER_EQUAL, ui::kNameGreaterEqual}, {KV_INEQ_LESS_EQUAL, ui::kNameLessEqual},
    {KV_INEQ_X, ui::kNameX},                  {KV_INEQ_OPEN, ui::kNameOpen},
    {KV_INEQ_CLOSE, ui::kNameClose},          {KV_INEQ_BACKSPACE, ui::kNameBackspace},
    {KV_INEQ_PLUS, ui::kNamePlus},            {KV_INEQ_MINUS, ui::kNameMinus},
    {KV_INEQ_TIMES, ui::kNameTimes},          {KV_INEQ_DIVIDE, ui::kNameDivide},
    {KV_INEQ_SIGN, ui::kNameSign},            {KV_INEQ_POINT, ui::kNamePoint},
    {KV_INEQ_POWER, ui::kNamePower},          {KV_INEQ_CLEAR, ui::kNameClear},
    {KV_INEQ_CLEAR_ENTRY, ui::kNameClearEntry}, {KV_INEQ_AND, ui::kNameAnd},
    {KV_INEQ_STEPS, ui::kNameSteps},          {KV_INEQ_ANSWER, ui::kNameInequalityAnswer},

    {KV_MODE_BUTTON, ui::kNameModeMenu},      {KV_MEMORY_LIST, ui::kNameMemoryList},
    {KV_DISPLAY, ui::kNameDisplay},           {KV_FRACTION_LINE, ui::kNameFractionLine},
    {KV_FRACTION_WHOLE, ui::kNameFractionWhole}, {KV_FRACTION_NUMERATOR, ui::kNameFractionNumerator},
    {KV_FRACTION_DENOMINATOR, ui::kNameFractionDenominator}, {KV_EQ_INPUT, ui::kNameEquation},
    {KV_INEQ_INPUT, ui::kNameInequality},     {KV_GRAPH_INPUT, ui::kNameGraphFormula},
    {KV_SYS_ADD, ui::kNameAddRow},            {KV_SYS_REMOVE, ui::kNameRemoveRow},
    {KV_SYS_STEPS, ui::kNameSteps},

    // The settings lists are named by the labels painted beside them.
    {KV_SETTINGS_PRECISION, ui::kPrecision},  {KV_SETTINGS_MAX_DEGREE, ui::kMaxDegree},
    {KV_SETTINGS_FRACTION_FORMAT, ui::kFractions}, {KV_SETTINGS_QUALITY, ui::kQuality},
    {KV_SETTINGS_LINE, ui::kLine},            {KV_SETTINGS_GRID, ui::kGrid},
    {KV_SETTINGS_LABELS, ui::kLabels},        {KV_SETTINGS_THEME, ui::kTheme},
    {KV_SETTINGS_LANGUAGE, ui::kLanguage},
};

// Names with a number or a letter of their own.
struct NumberedName {
    int id;
    const char* name;
    const char* argument;
};

constexpr NumberedName kNumberedNames[] = {
    {KV_QUADRATIC_A, ui::kNameCoefficient, "a"},     {KV_QUADRATIC_B, ui::kNameCoefficient, "b"},
    {KV_QUADRATIC_C, ui::kNameCoefficient, "c"},     {KV_QUADRATIC_SIGN_B, ui::kNameCoefficientSign, "b"},
    {KV_QUADRATIC_SIGN_C, ui::kNameCoefficientSign, "c"}, {KV_QUADRATIC_ROOT1, ui::kNameRoot, "1"},
    {KV_QUADRATIC_ROOT2, ui::kNameRoot, "2"},        {KV_EQ_ROW1_VALUE, ui::kNameRoot, "1"},
    {KV_EQ_SPARE_VALUE, ui::kNameRoot, "1"},         {KV_EQ_ROW2_VALUE, ui::kNameRoot, "2"},
    {KV_EQ_ROW3_VALUE, ui::kNameRoot, "3"},          {KV_EQ_ROW4_VALUE, ui::kNameRoot, "4"},
};

struct KeyTable {
    const KvKey* keys;
    std::size_t count;
};

constexpr KeyTable kKeyTables[] = {
    {kvStandardKeys, std::size(kvStandardKeys)},
    {kvScientificKeys, std::size(kvScientificKeys)},
    {kvEquationKeys, std::size(kvEquationKeys)},
    {kvInequalityKeys, std::size(kvInequalityKeys)},
};

// The digit a key types, or 0.
wchar_t TypedDigit(int id) {
    for (const KeyTable& table : kKeyTables) {
        const KvKey* key = KvFindKey(table.keys, table.count, id);
        if (key && key->typed && key->typed[0] >= L'0' && key->typed[0] <= L'9') return key->typed[0];
    }
    return 0;
}

}  // namespace

QString AccessibleName(int controlId) {
    for (const Name& name : kNames) {
        if (name.id == controlId) return QString::fromUtf8(name.name);
    }
    for (const NumberedName& name : kNumberedNames) {
        if (name.id == controlId) return QString::fromUtf8(name.name).arg(QString::fromUtf8(name.argument));
    }
    if (controlId >= KV_SYS_FIRST_ROW && controlId < KV_SYS_FIRST_ROW + KV_SYS_MAX_ROWS) {
        return QString::fromUtf8(ui::kNameSystemRow).arg(controlId - KV_SYS_FIRST_ROW + 1);
    }
    if (const wchar_t digit = TypedDigit(controlId)) return QString::fromUtf8(ui::kNameDigit).arg(QChar(digit));
    return {};
}

}  // namespace kelvora
