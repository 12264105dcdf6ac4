// What a backend gets to solve one model.
#ifndef LIBKORVA_SOLVE_JOB_H
#define LIBKORVA_SOLVE_JOB_H

#include "libkorva/log_sink.h"
#include "libkorva/model_store.h"
#include "libkorva/settings.h"
#include "libkorva/solution.h"
#include "libkorva/stop_signal.h"

struct SolveJob {
  const ModelStore &store;
  const Settings &settings;
  LogRoute &log;
  StopSignal &signal;
};

// Backends fill status, point (in the model's variables), reduced costs,
// iteration counts, presolve and solution times, and the MIP bound; the
// objective value and total time are filled around them.
void solveLinear(SolveJob &job, Solution &solution);
void solveQuadratic(SolveJob &job, Solution &solution);
void solveMixedInteger(SolveJob &job, Solution &solution);
// Also fills the psd variables' values.
void solveSemidefinite(SolveJob &job, Solution &solution);
// Quadratic constraints, or a quadratic objective with integer variables.
void solveQuadraticMinlp(SolveJob &job, Solution &solution);

#endif
