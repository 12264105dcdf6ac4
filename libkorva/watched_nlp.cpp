#include "libkorva/watched_nlp.h"

WatchedNlp::WatchedNlp(const Ipopt::SmartPtr<Bonmin::TMINLP> &minlp,
                       const std::atomic<bool> &terminate,
                       ProgressLog *progress, bool single)
    : TMINLP2TNLP(minlp),
      terminate_(&terminate),
      progress_(progress),
      single_(single) {}

bool WatchedNlp::intermediate_callback(
    Ipopt::AlgorithmMode mode, Ipopt::Index iter, Ipopt::Number objValue,
    Ipopt::Number infPr, Ipopt::Number infDu, Ipopt::Number mu, Ipopt::Number,
    Ipopt::Number, Ipopt::Number, Ipopt::Number, Ipopt::Index,
    const Ipopt::IpoptData *, Ipopt::IpoptCalculatedQuantities *) {
  if (progress_ != nullptr && progress_->log != nullptr) {
    logFormatted(*progress_->log,
                 "Ipopt iteration %d%s: objective %.10g, primal infeasibility "
                 "%.2e, dual infeasibility %.2e, barrier %.1e",
                 iter,
                 mode == Ipopt::RestorationPhaseMode ? " (restoration)" : "",
                 progress_->modelValue(objValue), infPr, infDu, mu);
  }
  // Only a terminate request: the time limit is Ipopt's own, so that a
  // node cut short by it is not taken for a failed one.
  return !terminate_->load();
}

bool WatchedNlp::eval_h(Ipopt::Index n, const Ipopt::Number *x, bool newX,
                        Ipopt::Number objFactor, Ipopt::Index m,
                        const Ipopt::Number *lambda, bool newLambda,
                        Ipopt::Index numElements, Ipopt::Index *iRow,
                        Ipopt::Index *jCol, Ipopt::Number *values) {
  // Ipopt asks for the structure once, at its set-up, with values null.
  if (single_ && values != nullptr && terminate_->load()) return false;
  return TMINLP2TNLP::eval_h(n, x, newX, objFactor, m, lambda, newLambda,
                             numElements, iRow, jCol, values);
}
