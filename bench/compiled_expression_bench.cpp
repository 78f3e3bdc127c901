// Graph evaluation three ways on the same formulas and points: the text path (write the
// coordinates in, evaluate the text), the compiled form, and muparser when it is built in.
//   explicit: five formulas sampled once per pixel column of a 1920-pixel-wide window;
//   implicit: x^2+y^2=25 (as x^2+y^2-(25)) on the (N+1)^2 grid of a trace, N = 500.
#include <benchmark/benchmark.h>

#include <charconv>
#include <string>
#include <vector>

#include "abacor.h"

#if defined(KELVORA_HAVE_MUPARSER)
#include <muParser.h>
#endif

namespace {

constexpr int kWidth = 1920;
constexpr double kScale = 30;  // pixels per unit
constexpr int kGrid = 500;

struct Formula {
    const wchar_t* text;
    const char* muparser;  // the same formula in muparser's syntax
};

const std::vector<Formula> kExplicit = {
    {L"x^2", "x^2"},
    {L"sin(x)", "sin(x)"},
    {L"exp(x)", "exp(x)"},
    {L"2x+1", "2*x+1"},
    {L"sqrt(abs(x))/(1+x^2)", "sqrt(abs(x))/(1+x^2)"},
};
const Formula kImplicit = {L"x^2+y^2-(25)", "x^2+y^2-(25)"};

// One x per pixel column, from 5 to W - 5, across a view centred on the origin.
std::vector<double> ColumnXs() {
    const double plotWidth = kWidth - 10;
    const double worldWidth = plotWidth / kScale;
    std::vector<double> xs;
    for (int j = 5; j <= kWidth - 5; ++j) xs.push_back((j - 5) * worldWidth / plotWidth - worldWidth / 2);
    return xs;
}

// The trace's grid: three widths of the traced rectangle (the view and one view on
// each side) in N steps.
std::vector<double> GridLine(double viewSize) {
    const double low = -1.5 * viewSize, size = 3 * viewSize;
    std::vector<double> line;
    for (int i = 0; i <= kGrid; ++i) line.push_back(low - size + i * (3 * size / kGrid));
    return line;
}
const std::vector<double> kGridXs = GridLine(63.7);
const std::vector<double> kGridYs = GridLine(33.2);

// What the graph writes today: every x (and y) but the one in "exp" as "(value)".
std::wstring WrittenIn(const std::wstring& formula, int digits, double x, double y) {
    std::wstring text;
    const auto append = [&](double value) {
        char digitsText[32];
        const char* end = std::to_chars(digitsText, digitsText + sizeof digitsText, value,
                                        std::chars_format::general, digits).ptr;
        text += L'(';
        text.append(static_cast<const char*>(digitsText), end);
        text += L')';
    };
    for (std::size_t i = 0; i < formula.size(); ++i) {
        const wchar_t c = formula[i];
        if (formula.compare(i, 3, L"exp") == 0) {
            text += L"exp";
            i += 2;
        } else if (c == L'x' || c == L'X') {
            append(x);
        } else if (c == L'y' || c == L'Y') {
            append(y);
        } else {
            text += c;
        }
    }
    return text;
}

void ExplicitText(benchmark::State& state) {
    const std::vector<double> xs = ColumnXs();
    for (auto _ : state) {
        for (const Formula& formula : kExplicit) {
            for (const double x : xs) benchmark::DoNotOptimize(EvaluateExpression(WrittenIn(formula.text, 10, x, 0).c_str()));
        }
    }
}

std::vector<KvFormula*> CompileAll(const std::vector<Formula>& formulas, int variables, int digits) {
    std::vector<KvFormula*> compiled;
    for (const Formula& formula : formulas) compiled.push_back(CompileFormula(formula.text, variables, digits));
    return compiled;
}

void ReleaseAll(const std::vector<KvFormula*>& formulas) {
    for (KvFormula* formula : formulas) ReleaseFormula(formula);
}

// One repaint: each column's x rounded once, then every formula along the row.
void ExplicitCompiled(benchmark::State& state) {
    const std::vector<double> xs = ColumnXs();
    const std::vector<KvFormula*> formulas = CompileAll(kExplicit, KV_FORMULA_X, 10);
    std::vector<KvCoordinate> columns(xs.size());
    std::vector<double> values(xs.size());
    for (auto _ : state) {
        RoundCoordinates(xs.data(), static_cast<int>(xs.size()), 10, columns.data());
        for (const KvFormula* formula : formulas) {
            EvaluateFormulaGrid(formula, columns.data(), static_cast<int>(columns.size()), nullptr, 1, values.data());
            benchmark::DoNotOptimize(values.data());
        }
    }
    ReleaseAll(formulas);
}

void ExplicitCompiledPerPoint(benchmark::State& state) {
    const std::vector<double> xs = ColumnXs();
    const std::vector<KvFormula*> formulas = CompileAll(kExplicit, KV_FORMULA_X, 10);
    const KvCoordinate noY = RoundCoordinate(0, 10);
    for (auto _ : state) {
        for (const double x : xs) {
            const KvCoordinate column = RoundCoordinate(x, 10);
            for (const KvFormula* formula : formulas) benchmark::DoNotOptimize(EvaluateFormula(formula, column, noY));
        }
    }
    ReleaseAll(formulas);
}

void ImplicitText(benchmark::State& state) {
    for (auto _ : state) {
        for (const double y : kGridYs) {
            for (const double x : kGridXs) {
                benchmark::DoNotOptimize(EvaluateExpression(WrittenIn(kImplicit.text, 15, x, y).c_str()));
            }
        }
    }
}

void ImplicitCompiled(benchmark::State& state) {
    KvFormula* formula = CompileFormula(kImplicit.text, KV_FORMULA_X | KV_FORMULA_Y, 15);
    std::vector<KvCoordinate> columns(kGridXs.size()), rows(kGridYs.size());
    std::vector<double> values(columns.size() * rows.size());
    for (auto _ : state) {
        RoundCoordinates(kGridXs.data(), static_cast<int>(kGridXs.size()), 15, columns.data());
        RoundCoordinates(kGridYs.data(), static_cast<int>(kGridYs.size()), 15, rows.data());
        EvaluateFormulaGrid(formula, columns.data(), static_cast<int>(columns.size()), rows.data(),
                            static_cast<int>(rows.size()), values.data());
        benchmark::DoNotOptimize(values.data());
    }
    ReleaseFormula(formula);
}

void ImplicitCompiledPerPoint(benchmark::State& state) {
    KvFormula* formula = CompileFormula(kImplicit.text, KV_FORMULA_X | KV_FORMULA_Y, 15);
    std::vector<KvCoordinate> columns(kGridXs.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < columns.size(); ++i) columns[i] = RoundCoordinate(kGridXs[i], 15);
        for (const double y : kGridYs) {
            const KvCoordinate row = RoundCoordinate(y, 15);
            for (const KvCoordinate& column : columns) benchmark::DoNotOptimize(EvaluateFormula(formula, column, row));
        }
    }
    ReleaseFormula(formula);
}

void Compile(benchmark::State& state) {
    for (auto _ : state) {
        ReleaseAll(CompileAll(kExplicit, KV_FORMULA_X, 10));
        ReleaseFormula(CompileFormula(kImplicit.text, KV_FORMULA_X | KV_FORMULA_Y, 15));
    }
}

BENCHMARK(ExplicitText)->Unit(benchmark::kMillisecond);
BENCHMARK(ExplicitCompiled)->Unit(benchmark::kMillisecond);
BENCHMARK(ExplicitCompiledPerPoint)->Unit(benchmark::kMillisecond);
BENCHMARK(ImplicitText)->Unit(benchmark::kMillisecond);
BENCHMARK(ImplicitCompiled)->Unit(benchmark::kMillisecond);
BENCHMARK(ImplicitCompiledPerPoint)->Unit(benchmark::kMillisecond);
BENCHMARK(Compile)->Unit(benchmark::kMicrosecond);

#if defined(KELVORA_HAVE_MUPARSER)

void ExplicitMuparser(benchmark::State& state) {
    const std::vector<double> xs = ColumnXs();
    double x = 0;
    std::vector<mu::Parser> parsers(kExplicit.size());
    for (std::size_t i = 0; i < kExplicit.size(); ++i) {
        parsers[i].DefineVar("x", &x);
        parsers[i].SetExpr(kExplicit[i].muparser);
    }
    for (auto _ : state) {
        for (mu::Parser& parser : parsers) {
            for (const double value : xs) {
                x = value;
                benchmark::DoNotOptimize(parser.Eval());
            }
        }
    }
}

void ImplicitMuparser(benchmark::State& state) {
    double x = 0, y = 0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.DefineVar("y", &y);
    parser.SetExpr(kImplicit.muparser);
    for (auto _ : state) {
        for (const double yValue : kGridYs) {
            y = yValue;
            for (const double xValue : kGridXs) {
                x = xValue;
                benchmark::DoNotOptimize(parser.Eval());
            }
        }
    }
}

// muparser's array mode, its fastest: one call for the whole grid (OpenMP threads, if
// its build has them, unless OMP_NUM_THREADS=1).
void ImplicitMuparserBulk(benchmark::State& state) {
    std::vector<double> xs, ys;
    for (const double y : kGridYs) {
        for (const double x : kGridXs) {
            xs.push_back(x);
            ys.push_back(y);
        }
    }
    std::vector<double> values(xs.size());
    mu::Parser parser;
    parser.DefineVar("x", xs.data());
    parser.DefineVar("y", ys.data());
    parser.SetExpr(kImplicit.muparser);
    for (auto _ : state) {
        parser.Eval(values.data(), static_cast<int>(values.size()));
        benchmark::DoNotOptimize(values.data());
    }
}

BENCHMARK(ExplicitMuparser)->Unit(benchmark::kMillisecond);
BENCHMARK(ImplicitMuparser)->Unit(benchmark::kMillisecond);
BENCHMARK(ImplicitMuparserBulk)->Unit(benchmark::kMillisecond);

#endif

}  // namespace
