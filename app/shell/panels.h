// The input panels whose work the library does: fractions, equations, inequalities and
// the quadratic equation. The program only creates their controls; the library reads
// their inputs and writes their results by identifier.
#pragma once

namespace kelvora {

class Controls;

void CreateFractionsPanel(const Controls& controls);
void CreateEquationPanel(const Controls& controls);
void CreateInequalityPanel(const Controls& controls);
void CreateQuadraticPanel(const Controls& controls);

}  // namespace kelvora
