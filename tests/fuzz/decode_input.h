// Turns a fuzz input into the arguments of one gateway call and the fake
// solver's script for it.
#ifndef KORVA_FUZZ_DECODE_INPUT_H
#define KORVA_FUZZ_DECODE_INPUT_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "testhost.h"

struct DecodeOptions {
  // For the real library: a LogFile text is replaced by one of a few fixed
  // paths, and MaxTime is capped (and set when absent) so no solve runs long.
  bool realLibrary = false;
  double maxTime = 0.05;
};

struct DecodedCall {
  std::vector<testhost::Array> inputs;
  int nlhs = 1;
  int status = 1;
  uint8_t flags = 0;
  std::string failedCall;  // empty: no solver call fails
  int failCode = 0;
};

DecodedCall decodeInput(const uint8_t *data, size_t size,
                        const DecodeOptions &options);

#endif
