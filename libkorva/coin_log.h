// A message handler that keeps the Coin solvers quiet. Their messages speak
// of the minimised form, echo command lines and report internals, and some
// are printed whatever the log level asks; the library writes its own lines
// instead.
#ifndef LIBKORVA_COIN_LOG_H
#define LIBKORVA_COIN_LOG_H

#include <CoinMessageHandler.hpp>

class SilentCoinHandler : public CoinMessageHandler {
 public:
  SilentCoinHandler() { setLogLevel(0); }
  int print() override { return 0; }
  CoinMessageHandler *clone() const override {
    return new SilentCoinHandler(*this);
  }
};

#endif
