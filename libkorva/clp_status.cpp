#include "libkorva/clp_status.h"

#include "libkorva/api_export.h"

int clpStatus2kva(int problemStatus, bool feasiblePoint,
                  const StopSignal &signal) {
  switch (problemStatus) {
    case clpOptimal:
      return KVA_OPTIMAL;
    case clpInfeasible:
      return KVA_INFEASIBLE;
    case clpDualInfeasible:
      // Dual infeasible: unbounded only if a feasible point was reached.
      return feasiblePoint ? KVA_UNBOUNDED : KVA_INF_OR_UBD;
    case clpStoppedOnIterations:
      return feasiblePoint ? KVA_SUB_OPTIMAL : KVA_ITERATION_LIMIT;
    case clpStoppedByEvent:
      // Stopped by our event handler: the time limit, or a terminate
      // request, which the caller turns into KVA_INTERRUPTED.
      if (signal.timeUp.load()) {
        return feasiblePoint ? KVA_SUB_OPTIMAL : KVA_TIME_LIMIT;
      }
      return KVA_INTERRUPTED;
    default:
      return KVA_NUMERICAL;
  }
}

bool hasUsablePoint(int status) {
  return status == KVA_OPTIMAL || status == KVA_SUB_OPTIMAL;
}

bool stoppedBeforePhase(StopSignal &signal, int *status) {
  if (!shouldStop(signal)) return false;
  *status = clpStatus2kva(clpStoppedByEvent, false, signal);
  return true;
}
