// Bonmin's interface to Ipopt, made not to solve a model without integers
// again once a terminate request has cut its solve short. Bonmin solves
// such a solve again from a fresh start, and Cbc once more when its first
// solve was not optimal; each would stop at Ipopt's first iteration, but
// only after its costliest step.
#ifndef LIBKORVA_WATCHED_INTERFACE_H
#define LIBKORVA_WATCHED_INTERFACE_H

#include <BonOsiTMINLPInterface.hpp>
#include <atomic>

class WatchedInterface : public Bonmin::OsiTMINLPInterface {
 public:
  explicit WatchedInterface(const std::atomic<bool> &terminate)
      : terminate_(&terminate) {}
  // Bonmin and Cbc solve on copies: they watch the same request.
  OsiSolverInterface *clone(bool copyData = true) const override;

  using OsiTMINLPInterface::resolve;
  void resolve(const char *whereFrom) override;
  void resolveForRobustness(int numRetry) override;

 private:
  // A search over integers keeps its re-solves: without them Bonmin
  // branches on the unsolved node, and says so on stdout.
  bool stopsAtOnce() const {
    return terminate_->load() && getNumIntegers() == 0;
  }

  const std::atomic<bool> *terminate_;
};

#endif
