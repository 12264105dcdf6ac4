#include "libkorva/quadratic_convexity.h"

#include "libkorva/api_export.h"
#include "libkorva/convexity.h"
#include "libkorva/objective.h"

namespace {

// Whether sign * (the terms) is convex (or the test was stopped).
bool isConvex(const ModelStore &store, const std::vector<QuadTerm> &terms,
              int sign, const std::atomic<bool> *terminate) {
  ModelStore probe;
  probe.obj.assign(store.obj.size(), 0.0);
  probe.objQuad = terms;
  probe.sense = sign;
  return hessianConvexity(objectiveHessian(probe), terminate) !=
         Convexity::NotConvex;
}

}  // namespace

std::string nonConvexPart(const ModelStore &store,
                          const std::atomic<bool> *terminate) {
  if (!isConvex(store, store.objQuad, store.sense, terminate)) {
    return store.sense == 1 ? "the quadratic objective of this minimisation "
                              "is not convex"
                            : "the quadratic objective of this maximisation "
                              "is not concave";
  }
  for (size_t k = 0; k < store.quadConstrs.size(); ++k) {
    const QuadConstraint &q = store.quadConstrs[k];
    bool hasLower = q.lhs > -KVA_INFINITY;
    bool hasUpper = q.rhs < KVA_INFINITY;
    // A side below a convex function (or above a concave one) is convex;
    // a ranged constraint needs both, which only a linear one has.
    bool convex = (!hasUpper || isConvex(store, q.quad, 1, terminate)) &&
                  (!hasLower || isConvex(store, q.quad, -1, terminate));
    if (!convex) {
      return "quadratic constraint " + std::to_string(k) +
             " does not describe a convex set";
    }
  }
  return "";
}
