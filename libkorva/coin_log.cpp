#include "libkorva/coin_log.h"

#include <string>

CoinLogRelay::CoinLogRelay(LogRoute &route) : route_(&route) {}

int CoinLogRelay::print() {
  std::string text = messageBuffer();
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
    text.pop_back();
  }
  if (!text.empty()) logLine(*route_, text);
  return 0;
}

CoinMessageHandler *CoinLogRelay::clone() const {
  return new CoinLogRelay(*this);
}
