// Solving a conic form with DSDP.
#ifndef LIBKORVA_DSDP_RUN_H
#define LIBKORVA_DSDP_RUN_H

#include <vector>

#include "libkorva/conic_form.h"
#include "libkorva/solve_job.h"

struct ConicResult {
  int status = KVA_UNKNOWN;
  int iterations = 0;
  bool hasPoint = false;
  std::vector<double> linear;            // the nonnegative columns
  std::vector<std::vector<double>> psd;  // full row-major blocks
  std::vector<double> rowDuals;          // y, one per row of the form
};

ConicResult runDsdp(const ConicForm &form, SolveJob &job);

#endif
