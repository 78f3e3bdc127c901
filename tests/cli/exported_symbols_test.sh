#!/usr/bin/env bash
# The library shows exactly its C exports: nothing internal leaks out of it.
set -euo pipefail
library=$1
expected=(
  DEz0 EvaluateExpression GetLastSteps GetPrecision GetResult InitDllInstance InitFractions
  CheckFormulaText GetLastStatus GetSystemResult ProcessButtonClick TextFaultMessage ProcessMemoryComboSelect ResetCalculator SetMaxDegree SetPrecision
  ShowStepsWindow SolveSystem GetEquationRoots GetPolynomialRoots
  DrawNumberLine GetNumberLinePoints GetNumberLineSelection HideNumberLine IsNumberLineVisible
  CompileFormula EvaluateFormula EvaluateFormulaGrid ReleaseFormula RoundCoordinate RoundCoordinates
)
actual=$(nm -D --defined-only "$library" | awk '$2 == "T" { print $3 }' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [[ "$actual" != "$wanted" ]]; then
  echo "exported symbols differ from the expected list:"
  diff <(echo "$wanted") <(echo "$actual") || true
  exit 1
fi
echo "1 passed, 0 failed"
