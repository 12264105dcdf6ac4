#include <string>

#include "libkorva/conic_form.h"
#include "libkorva/dsdp_run.h"
#include "libkorva/solve_job.h"
#include "libkorva/stop_signal.h"

namespace {

// The barrier holds each block packed, n (n + 1) / 2 doubles, and sizes it
// in bytes as an int.
constexpr int largestBlock = 23169;

bool blocksFit(const ModelStore &store, SolveJob &job) {
  for (size_t k = 0; k < store.psdVars.size(); ++k) {
    if (store.psdVars[k].dim > largestBlock) {
      logLine(job.log, "Unsupported: semidefinite variable " +
                           std::to_string(k + 1) + " has more than " +
                           std::to_string(largestBlock) + " rows");
      return false;
    }
  }
  return true;
}

// Pi in the model's sense from the minimised form's duals, and the reduced
// costs RC = c - A'Pi over the linear rows and the psd constraints' scalar
// terms.
void takeDuals(const ModelStore &store, const std::vector<double> &duals,
               Solution &solution) {
  solution.pi.clear();
  for (double y : duals) solution.pi.push_back(store.sense * y + 0.0);
  solution.rc = store.obj;
  for (int j = 0; j < numVars(store); ++j) {
    for (int p = store.colStart[j]; p < store.colStart[j + 1]; ++p) {
      solution.rc[j] -= store.vals[p] * solution.pi[store.rowIdx[p]];
    }
  }
  for (size_t k = 0; k < store.psdConstrs.size(); ++k) {
    const SparseTerms &linear = store.psdConstrs[k].linear;
    for (size_t t = 0; t < linear.idx.size(); ++t) {
      solution.rc[linear.idx[t]] -=
          linear.vals[t] * solution.pi[numRows(store) + k];
    }
  }
  solution.hasPi = solution.hasRc = true;
}

}  // namespace

void solveSemidefinite(SolveJob &job, Solution &solution) {
  if (!blocksFit(job.store, job)) {
    solution.status = KVA_UNSUPPORTED;
    return;
  }
  SolveClock::time_point start = SolveClock::now();
  ConicForm form = store2conicForm(job.store);
  solution.presolverTime = secondsSince(start);
  if (form.emptyRowInfeasible) {
    logLine(job.log,
            "A constraint without variables (at the start or once the "
            "free variables are eliminated) excludes its constant");
    solution.status = KVA_INFEASIBLE;
    return;
  }
  start = SolveClock::now();
  ConicResult result = runDsdp(form, job);
  solution.solutionTime = secondsSince(start);
  solution.ipmIters = result.iterations;
  solution.status = result.status;
  if (form.freeRay && result.status == KVA_OPTIMAL) {
    // A variable in no constraint moves the objective without bound.
    solution.status = KVA_UNBOUNDED;
    return;
  }
  if (!result.hasPoint) return;
  std::vector<double> columns =
      conicColumnValues(form, result.linear, result.psd);
  solution.x = conicScalars(form, columns);
  solution.psdX = std::move(result.psd);
  solution.hasPoint = true;
  takeDuals(job.store, conicConstraintDuals(form, result.rowDuals), solution);
}
