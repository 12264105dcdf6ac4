// What linear and quadratic Clp solves share: a model wired to the solve's
// log and stop events, and the point and reduced costs it leaves.
#ifndef LIBKORVA_CLP_RUN_H
#define LIBKORVA_CLP_RUN_H

#include <ClpSimplex.hpp>

#include "libkorva/clp_events.h"
#include "libkorva/coin_log.h"
#include "libkorva/linear_problem.h"
#include "libkorva/solve_job.h"

// Clp runs silent: its messages speak of the minimised form and of its own
// internals; the run writes its own lines through progress.
struct ClpRun {
  SilentCoinHandler silent;
  ProgressLog progress;
  ClpStopEvents events;
  ClpSimplex model;
  explicit ClpRun(SolveJob &job);
};

// A silent model watched for the solve's stop, without progress lines: the
// LPs solved on the side of a solve (rays, polishing).
struct QuietClp {
  SilentCoinHandler silent;
  ClpStopEvents events;
  ClpSimplex model;
  explicit QuietClp(StopSignal &signal);
};

// Points another model (a presolved copy) at the run's log and events.
void attachClpRun(ClpSimplex &model, ClpRun &run);

// Loads the problem and applies the simplex settings.
void prepareClpRun(ClpRun &run, const LinearProblem &problem,
                   const Settings &settings);

// Copies the model's point, and its reduced costs and row duals turned back
// into the model's sense, into solution.
void takeClpPoint(const ClpSimplex &model, const ModelStore &store,
                  Solution &solution);

#endif
