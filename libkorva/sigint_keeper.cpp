#include "libkorva/sigint_keeper.h"

// Exported by Bonmin, not declared in its headers: set by its SIGINT
// handler, read by every Ipopt solve Bonmin starts.
extern bool BonminAbortAll;

SigintKeeper::SigintKeeper() { sigaction(SIGINT, nullptr, &saved_); }

SigintKeeper::~SigintKeeper() {
  keep();
  if (BonminAbortAll) {
    BonminAbortAll = false;
    raise(SIGINT);
  }
}

void SigintKeeper::keep() {
  std::lock_guard<std::mutex> guard(lock_);
  struct sigaction current;
  sigaction(SIGINT, nullptr, &current);
  if (current.sa_handler != saved_.sa_handler) {
    sigaction(SIGINT, &saved_, nullptr);
  }
}
