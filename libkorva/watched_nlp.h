// The NLP Bonmin hands Ipopt, watched between Ipopt's iterations: the
// library's own iteration lines (in the model's sense) instead of Ipopt's
// output, and a terminate request that ends Ipopt at its next iteration.
#ifndef LIBKORVA_WATCHED_NLP_H
#define LIBKORVA_WATCHED_NLP_H

#include <BonTMINLP2TNLP.hpp>
#include <atomic>

#include "libkorva/progress_log.h"

class WatchedNlp : public Bonmin::TMINLP2TNLP {
 public:
  // progress null: no iteration lines (the nodes of a search). single: the
  // search is one Ipopt solve, which may end on a refused Hessian; at the
  // nodes of a branch and bound Bonmin takes that for a failed node and
  // may throw.
  WatchedNlp(const Ipopt::SmartPtr<Bonmin::TMINLP> &minlp,
             const std::atomic<bool> &terminate, ProgressLog *progress,
             bool single);
  // Bonmin solves its nodes on copies: they watch the same request.
  TMINLP2TNLP *clone() const override { return new WatchedNlp(*this); }

  bool intermediate_callback(Ipopt::AlgorithmMode mode, Ipopt::Index iter,
                             Ipopt::Number objValue, Ipopt::Number infPr,
                             Ipopt::Number infDu, Ipopt::Number mu,
                             Ipopt::Number dNorm,
                             Ipopt::Number regularizationSize,
                             Ipopt::Number alphaDu, Ipopt::Number alphaPr,
                             Ipopt::Index lsTrials,
                             const Ipopt::IpoptData *ipData,
                             Ipopt::IpoptCalculatedQuantities *ipCq) override;
  // Refused in a single solve once a terminate request came: the Hessian
  // is asked for just before the costliest step of an iteration, the
  // factorization of the KKT system, which a request inside it would
  // otherwise wait for.
  bool eval_h(Ipopt::Index n, const Ipopt::Number *x, bool newX,
              Ipopt::Number objFactor, Ipopt::Index m,
              const Ipopt::Number *lambda, bool newLambda,
              Ipopt::Index numElements, Ipopt::Index *iRow, Ipopt::Index *jCol,
              Ipopt::Number *values) override;

 private:
  const std::atomic<bool> *terminate_;
  ProgressLog *progress_;
  bool single_;
};

#endif
