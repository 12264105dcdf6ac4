// What the last solve of a model found. Reset whenever the model changes.
#ifndef LIBKORVA_SOLUTION_H
#define LIBKORVA_SOLUTION_H

#include <vector>

#include "libkorva/api_export.h"

struct Solution {
  int status = KVA_UNKNOWN;
  // Times and iteration counts exist once a solve has run.
  bool solved = false;
  double solverTime = 0.0;
  double presolverTime = 0.0;
  double solutionTime = 0.0;
  int spxIters = 0;
  int ipmIters = 0;
  // The point found, in the model's variables, and its objective value,
  // constant included.
  bool hasPoint = false;
  std::vector<double> x;
  double objVal = 0.0;
  // Reduced costs in the model's own sense.
  bool hasRc = false;
  std::vector<double> rc;
  // Row duals in the model's own sense, d ObjVal / d side: one per linear
  // row, then (semidefinite models) one per psd constraint.
  bool hasPi = false;
  std::vector<double> pi;
  // With a point of a semidefinite model: each psd variable's value, full
  // and row-major.
  std::vector<std::vector<double>> psdX;
  // Mixed-integer solves with a point: the best bound, for the gaps.
  bool isMip = false;
  double mipBound = 0.0;
};

#endif
