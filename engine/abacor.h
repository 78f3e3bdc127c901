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

/* Step report. */
/* Shows the last report in the Steps window. An open window is refreshed and brought to
 * the front (nonzero when that worked); otherwise the window is created and the call
 * returns 0 once it has been closed. owner null means the main window. */
ABACOR_API int ShowStepsWindow(KvWindow* owner);
/* The last report; valid until the report next changes. */
ABACOR_API const wchar_t* GetLastSteps(void);

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

#ifdef __cplusplus
}
#endif

#endif
