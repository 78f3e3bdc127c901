/* abacor: the Kelvora calculation engine.
 *
 * Every export has C linkage. Windows, controls and drawing surfaces are opaque handles
 * here; their interfaces are in platform.h. Text is wide (wchar_t) and NUL-terminated.
 */
#ifndef ABACOR_H
#define ABACOR_H

#include <wchar.h>

#if defined(ABACOR_BUILDING)
#define ABACOR_API __attribute__((visibility("default")))
#else
#define ABACOR_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct KvWindow KvWindow;
typedef struct KvCanvas KvCanvas;

/* A rectangle: left and top inclusive, right and bottom exclusive. */
typedef struct KvRect {
    int left;
    int top;
    int right;
    int bottom;
} KvRect;

/* What the last solver or check made of its input, so that a face decides by a code and
 * never by the text it shows. */
typedef enum KvStatus {
    KV_STATUS_ANSWERED = 0,    /* an answer: a value, roots, "no roots" or "no solution" */
    KV_STATUS_REFUSED = 1,     /* input the solver does not accept (characters, format) */
    KV_STATUS_TOO_LARGE = 2,   /* a number beyond what can be computed or shown */
    KV_STATUS_TOO_COMPLEX = 3, /* beyond the work one solve may do */
    KV_STATUS_UNDEFINED = 4,   /* no value: a division by zero, a function outside its domain */
    KV_STATUS_NO_ANSWER = 5    /* read, but without an answer to give (no unique solution) */
} KvStatus;

/* The faults a formula's text can have before anything is computed. */
typedef enum KvTextFault {
    KV_TEXT_OK = 0,
    KV_TEXT_EMPTY = 1,
    KV_TEXT_FOREIGN_CHARACTER = 2,
    KV_TEXT_DOUBLED_OPERATOR = 3,
    KV_TEXT_ZERO_DIVISOR = 4,       /* a division by a lone zero */
    KV_TEXT_UNBALANCED = 5,         /* brackets */
    KV_TEXT_NOT_COMPUTABLE = 6      /* no value: never found by CheckFormulaText, for faces
                                       that try a value themselves */
} KvTextFault;

/* Settings. */
ABACOR_API void InitFractions(KvWindow* mainWindow);
ABACOR_API void InitDllInstance(void* module);
ABACOR_API void SetPrecision(int precision);
ABACOR_API int GetPrecision(void);
ABACOR_API void SetMaxDegree(int maxDegree);
ABACOR_API void DEz0(wchar_t* numberText);

/* Calculation. */
ABACOR_API double EvaluateExpression(const wchar_t* text);
ABACOR_API void ProcessButtonClick(KvWindow* display, int buttonId);
ABACOR_API int ProcessMemoryComboSelect(KvWindow* display);
ABACOR_API double GetResult(void);
ABACOR_API void ResetCalculator(void);

/* The status of the last key, solve or check (KvStatus); KV_STATUS_ANSWERED before any. */
ABACOR_API int GetLastStatus(void);

/* The first fault of a formula's text (KvTextFault): empty, then a division by a lone zero
 * (a "0" after "/" and blanks, at the end or followed by one of mayFollowZero), then in
 * one pass a character outside allowed or two operators in a row, then the brackets. */
ABACOR_API int CheckFormulaText(const wchar_t* text, const wchar_t* allowed, const wchar_t* mayFollowZero);
/* The message a face shows for a fault; an empty text for KV_TEXT_OK or an unknown code. */
ABACOR_API const wchar_t* TextFaultMessage(int fault);

/* Step report. */
/* Shows the last report in the Steps window. An open window is refreshed and brought to
 * the front (nonzero when that worked); otherwise the window is created and the call
 * returns 0 once it has been closed. owner null means the main window. */
ABACOR_API int ShowStepsWindow(KvWindow* owner);
/* The last report; valid until the report next changes. */
ABACOR_API const wchar_t* GetLastSteps(void);

/* Equations. */
/* Every root of the last equation solve, one line each ("X₁ = -2", "X₂ = 1"), each ended by
 * a line feed, however many answer rows the panel has: the decimals the rows show, or with
 * exact nonzero each root's exact form ("1/3", "-√2", "(1 + √5)/2") where it has one. Empty
 * when the last solve answered without roots. Cut to capacity - 1 characters and always
 * terminated; nothing is written for a null buffer or capacity < 1. Returns the length of
 * the whole text. */
ABACOR_API int GetEquationRoots(int exact, wchar_t* buffer, int capacity);

/* Polynomial roots. */
/* The distinct real roots of a formula in x read exactly (0.1 is 1/10, as in the equation
 * solver), or of its derivative when derivative is nonzero: ascending, each as the double
 * nearest to it and with its multiplicity; roots beyond the range of doubles are left
 * out, and two roots closer than doubles tell apart share a value. Up to capacity of them
 * are written; null arrays are skipped. Returns the full count, 0 for a constant (0
 * included), or -1 when the text is no polynomial in x of degree at most 50 (another
 * letter, a function, a division by x), has a number of more than 12 characters or
 * beyond 1e12 or below 1e-12 in size (0 aside), or its roots lie too close together to be
 * told apart within a few milliseconds. */
ABACOR_API int GetPolynomialRoots(const wchar_t* formula, int derivative, double* roots, int* multiplicities,
                                  int capacity);

/* Number line. */
/* Draws the last inequality's solution set into rect; the result means nothing. Draws
 * whether or not the number line is visible. */
ABACOR_API int DrawNumberLine(KvCanvas* canvas, KvRect rect);
ABACOR_API int IsNumberLineVisible(void);
/* Hides the number line and forgets its data until the next solve. */
ABACOR_API void HideNumberLine(void);
/* The data behind the drawing, for front ends that show it otherwise: up to capacity
 * points (ascending) with closed flags (1 when the point belongs to the solution), and up
 * to capacity selection entries (+1 shaded, -1 not, one per interval from the left). Each
 * returns the full count; null arrays are skipped. */
ABACOR_API int GetNumberLinePoints(double* values, int* closed, int capacity);
ABACOR_API int GetNumberLineSelection(int* entries, int capacity);

/* Linear systems. */
/* Solves the equations separated by ";"; the report replaces the step log. */
ABACOR_API void SolveSystem(const wchar_t* text);
/* The answer lines of the last report, each ended by a line feed, cut to capacity - 1
 * characters and always terminated; nothing is written when capacity < 1. */
ABACOR_API void GetSystemResult(wchar_t* buffer, int capacity);

/* Graph formulas, compiled once and evaluated at many points. A formula's letters x and X
 * (and y and Y, when asked for) outside the name "exp" stand for coordinates; its value at
 * a point is always exactly what EvaluateExpression gives for its text with each of them
 * replaced by "(value)", the value printed with "%.*g" and the formula's digits. */
typedef struct KvFormula KvFormula;

/* A coordinate as a formula's text shows it: the value, the value the evaluator reads
 * back from its printed form, and the significant digits it was printed with. Made by
 * RoundCoordinate, once per grid row or column. */
typedef struct KvCoordinate {
    double value;
    double rounded;
    int digits;
} KvCoordinate;

/* KV_FORMULA_KEEP_NAN: accepted and without effect. A function value that is NaN or
 * infinite (sqrt(-1), ln(0)) always makes the value NaN at that point, as it makes
 * EvaluateExpression NaN, so that a graph is broken where a function is not defined. */
enum { KV_FORMULA_X = 1, KV_FORMULA_Y = 2, KV_FORMULA_KEEP_NAN = 4 };

/* flags: KV_FORMULA_X, optionally with KV_FORMULA_Y and KV_FORMULA_KEEP_NAN; digits: 1 to
 * 17 ("%.10g" of explicit graphs is 10, "%.15g" of implicit ones 15). Null for a null
 * text or digits out of range. Release it with ReleaseFormula. */
ABACOR_API KvFormula* CompileFormula(const wchar_t* text, int flags, int digits);
ABACOR_API void ReleaseFormula(KvFormula* formula);
ABACOR_API KvCoordinate RoundCoordinate(double value, int digits);
/* RoundCoordinate of each of the count values, into out[0 .. count - 1]; nothing for a
 * null pointer or a count below 1. */
ABACOR_API void RoundCoordinates(const double* values, int count, int digits, KvCoordinate* out);
/* The formula's value at (x, y); y means nothing to a formula without y. NaN for a null
 * formula. */
ABACOR_API double EvaluateFormula(const KvFormula* formula, KvCoordinate x, KvCoordinate y);
/* values[row * columns + column] is the value at (xs[column], ys[row]). With ys null
 * there is one row, whatever rows says, and no y. Nothing is written for a null formula,
 * a null xs or values, or a count below 1. */
ABACOR_API void EvaluateFormulaGrid(const KvFormula* formula, const KvCoordinate* xs, int columns,
                                    const KvCoordinate* ys, int rows, double* values);

#ifdef __cplusplus
}
#endif

#endif
