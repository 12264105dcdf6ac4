// One run of Cbc's solver driver on a linear problem with integer columns
// and the store's SOS sets.
#ifndef LIBKORVA_CBC_RUN_H
#define LIBKORVA_CBC_RUN_H

#include <vector>

#include "libkorva/linear_problem.h"
#include "libkorva/solve_job.h"

struct CbcOutcome {
  int status = 0;     // CbcModel::status()
  int secondary = 0;  // CbcModel::secondaryStatus()
  bool provenOptimal = false;
  bool provenInfeasible = false;
  bool relaxationUnbounded = false;
  bool hasPoint = false;
  std::vector<double> x;
  double bound = 0.0;  // best bound on the minimised objective
  int iterations = 0;
  double preprocessSeconds = 0.0;
};

// cutoff is on the minimised objective; KVA_INFINITY for none.
CbcOutcome runCbc(const LinearProblem &problem, SolveJob &job, double cutoff);

// The library status of a run; the caller settles an unbounded relaxation
// without a point.
int cbcOutcome2kva(const CbcOutcome &outcome, const StopSignal &signal);

#endif
