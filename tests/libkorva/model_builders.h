// Adding the non-linear parts of test models through the C interface.
#ifndef LIBKORVA_TESTS_MODEL_BUILDERS_H
#define LIBKORVA_TESTS_MODEL_BUILDERS_H

#include <vector>

#include "host/korva_api.h"

struct Triplets {
  std::vector<int> rows;
  std::vector<int> cols;
  std::vector<double> vals;
};

struct SparseRow {
  std::vector<int> idx;
  std::vector<double> vals;
};

inline int addQpTerms(KVAmodel model, const Triplets &q) {
  return KVAaddqpterms(model, static_cast<int>(q.vals.size()), q.rows.data(),
                       q.cols.data(), q.vals.data());
}

inline int addSos(KVAmodel model, int type, const std::vector<int> &members,
                  const std::vector<double> &weights) {
  int begins[] = {0, static_cast<int>(members.size())};
  return KVAaddsos(model, 1, static_cast<int>(members.size()), &type, begins,
                   members.data(), weights.data());
}

inline int addIndicator(KVAmodel model, int binVar, int binVal,
                        const SparseRow &row, char sense, double rhs) {
  return KVAaddgenconstrIndicator(model, "ind", binVar, binVal,
                                  static_cast<int>(row.idx.size()),
                                  row.idx.data(), row.vals.data(), sense, rhs);
}

inline int addQuadConstraint(KVAmodel model, const SparseRow &linear,
                             const Triplets &quad, char sense, double rhs) {
  return KVAaddqconstr(model, static_cast<int>(linear.idx.size()),
                       linear.idx.data(), linear.vals.data(),
                       static_cast<int>(quad.vals.size()), quad.rows.data(),
                       quad.cols.data(), quad.vals.data(), sense, rhs, "qc");
}

#endif
