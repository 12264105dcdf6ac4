// The unit tests' window on the real solver library. Every library call the
// module makes passes through here (the link wraps them), so that a test can
// make one call fail, count the handles still alive, read the log the
// library sent, and look at the model the library holds when the solve
// starts. Outcomes, not transcripts: only parameters are recorded as set.
#ifndef KORVA_TESTS_SOLVER_PROBE_H
#define KORVA_TESTS_SOLVER_PROBE_H

#include <string>
#include <vector>

#include "host/korva_api.h"

namespace probe {

// Forgets every failure, hook and record; handle counts stay.
void reset();
// The `occurrence`-th call (from 1) of `function` after reset returns
// `code` without reaching the library.
void failCall(const std::string &function, int occurrence = 1,
              int code = KVA_ERROR_INTERNAL);
// Reading "Status" gives `status` instead of the library's answer.
void reportStatus(int status);
// Matrix attributes come in descending order, as a library may give them.
void reverseMatrixEntries();
// What the library holds when the solve starts, read through its own
// attributes: the model as the module built it.
struct ModelSnapshot {
  int numVars = -1;
  int numConss = -1;
  int numQConstrs = -1;
  int numSos = -1;
  int numGenConstrs = -1;
  int numPsdVars = -1;
  int numPsdConstrs = -1;
  int modelSense = 0;
  double objConst = 0.0;
  std::vector<double> obj, lb, ub, lhs, rhs;
  std::vector<double> start;  // NaN where no start value was set
};
// The model of the last solve started since reset.
ModelSnapshot lastModel();
int liveModels();
int liveEnvironments();
// Everything the library logged through the module's callback since reset.
std::string logged();
// Every parameter set since reset, as "name=value".
std::vector<std::string> parameters();

}  // namespace probe

#endif
