// Routes the Coin solvers' messages into a solve's log.
#ifndef LIBKORVA_COIN_LOG_H
#define LIBKORVA_COIN_LOG_H

#include <CoinMessageHandler.hpp>

#include "libkorva/log_sink.h"

class CoinLogRelay : public CoinMessageHandler {
 public:
  explicit CoinLogRelay(LogRoute &route);
  int print() override;
  CoinMessageHandler *clone() const override;

 private:
  LogRoute *route_;
};

#endif
