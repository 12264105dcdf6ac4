// A solver library that does nothing and returns at once, so that what a
// benchmark times is the module's own work. It notes when the module first
// creates a model and when it starts the solve, and reports a solution of
// the right sizes: zeros, and for every semidefinite variable a full upper
// triangle.
#ifndef KORVA_BENCH_NULL_SOLVER_H
#define KORVA_BENCH_NULL_SOLVER_H

#include <chrono>

#include "host/korva_api.h"

namespace nullsolver {

using Clock = std::chrono::steady_clock;

// Steady-clock times of the first KVAloadmodel or KVAnewmodel and of the
// start of KVAoptimize since the last reset.
struct Marks {
  Clock::time_point firstModelCall;
  Clock::time_point optimizeStart;
};

void reset();
Marks marks();

// Order in which "PsdX" entries are reported: row by row (the order the
// module's sort accepts in one scan) or column by column (a full sort).
void reportPsdColumnMajor(bool columnMajor);

// A model with the given sizes, for calling the result builder directly.
KVAmodel modelOfSize(int numVars, int numConss, int psdDim);

}  // namespace nullsolver

#endif
