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
  // progress null: no iteration lines (the nodes of a search).
  WatchedNlp(const Ipopt::SmartPtr<Bonmin::TMINLP> &minlp,
             const std::atomic<bool> &terminate, ProgressLog *progress);
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

 private:
  const std::atomic<bool> *terminate_;
  ProgressLog *progress_;
};

#endif
