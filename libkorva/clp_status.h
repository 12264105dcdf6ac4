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

#endif
