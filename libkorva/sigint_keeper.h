// Bonmin's branch and bound installs a SIGINT handler of its own at every
// search and never removes it. That handler stops Bonmin and sets Bonmin's
// global abort flag, which every later Ipopt solve of the process obeys at
// its first iteration; and the host, whose handler it replaced, no longer
// sees Ctrl+C at all. The keeper holds on to the handler the process had.
#ifndef LIBKORVA_SIGINT_KEEPER_H
#define LIBKORVA_SIGINT_KEEPER_H

#include <signal.h>

#include <mutex>

class SigintKeeper {
 public:
  // Remembers the process's SIGINT handler.
  SigintKeeper();
  // Puts it back. A SIGINT that Bonmin's handler took meanwhile is raised
  // again, for the host, and Bonmin's abort flag is cleared, so that the
  // next search runs.
  ~SigintKeeper();
  SigintKeeper(const SigintKeeper &) = delete;
  SigintKeeper &operator=(const SigintKeeper &) = delete;

  // Puts the remembered handler back if another replaced it; safe to call
  // from any thread, as often as wanted.
  void keep();

 private:
  std::mutex lock_;
  struct sigaction saved_;
};

#endif
