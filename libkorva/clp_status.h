// A Clp solve's outcome as a library status.
#ifndef LIBKORVA_CLP_STATUS_H
#define LIBKORVA_CLP_STATUS_H

#include "libkorva/stop_signal.h"

// ClpSimplex::status() values the backends act on.
constexpr int clpOptimal = 0;
constexpr int clpInfeasible = 1;
constexpr int clpDualInfeasible = 2;
constexpr int clpStoppedOnIterations = 3;
constexpr int clpStoppedByEvent = 5;

// problemStatus is ClpSimplex::status() of the solve that decided;
// feasiblePoint whether the point it left satisfies the model.
int clpStatus2kva(int problemStatus, bool feasiblePoint,
                  const StopSignal &signal);

// Statuses whose point is reported.
bool hasUsablePoint(int status);

// Clp's presolve and its barrier's set-up watch no stop request and take a
// fifth of a second on large models: a request or time limit that came
// before such a phase ends the solve there, with status set. No point.
bool stoppedBeforePhase(StopSignal &signal, int *status);

#endif
