#include "core/engine_state.h"

#include "core/number_format.h"
#include "core/outcome.h"

namespace abacor {

namespace {
EngineState g_engine;
}

EngineState& Engine() { return g_engine; }

KvWindow* MainWindowControl(int controlId) {
    KvWindow* main = g_engine.MainWindow;
    return main ? main->child(controlId) : nullptr;
}

void RecordStatus(KvStatus status) { g_engine.LastStatus = status; }

}  // namespace abacor

using abacor::Engine;

extern "C" {

void InitFractions(KvWindow* mainWindow) { Engine().MainWindow = mainWindow; }

void InitDllInstance(void* module) { Engine().DllInstance = module; }

void SetPrecision(int precision) { Engine().Precision = precision; }

int GetPrecision(void) { return Engine().Precision; }

int GetLastStatus(void) { return Engine().LastStatus; }

void SetMaxDegree(int maxDegree) { Engine().MaxDegree = maxDegree; }

void DEz0(wchar_t* numberText) {
    if (numberText) abacor::TrimTrailingZeros(numberText);
}

}  // extern "C"
