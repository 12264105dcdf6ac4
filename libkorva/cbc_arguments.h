// The command line CbcMain1 runs with, from the parameters.
#ifndef LIBKORVA_CBC_ARGUMENTS_H
#define LIBKORVA_CBC_ARGUMENTS_H

#include <string>
#include <vector>

#include "libkorva/settings.h"

struct CbcRunOptions {
  double secondsLeft;      // KVA_INFINITY: no limit
  double cutoff;           // in the minimised objective; KVA_INFINITY: none
  bool keepPreprocessOff;  // Cbc's preprocessing mishandles SOS sets
  int numCols;
  bool generalIntegers;  // an integer column with more than two values
};

std::vector<std::string> cbcArguments(const Settings &settings,
                                      const CbcRunOptions &options);

#endif
