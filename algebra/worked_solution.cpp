#include "algebra/worked_solution.h"

namespace minamo {

void showWorkedSolution(Drill& d) {}

void printSolutionLine(Drill& d) {}

} // namespace minamo
