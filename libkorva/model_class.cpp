#include "libkorva/model_class.h"

#include <algorithm>

#include "libkorva/linear_problem.h"

ModelClass classifyModel(const ModelStore &store) {
  bool integer =
      std::any_of(store.vtype.begin(), store.vtype.end(), isIntegerType) ||
      !store.sos.empty() || !store.indicators.empty();
  bool quadraticObjective = !store.objQuad.empty();
  if (!store.psdVars.empty() || !store.psdConstrs.empty()) {
    if (integer) {
      return {Backend::None,
              "MISDP (semidefinite parts and integer variables)"};
    }
    if (quadraticObjective || !store.quadConstrs.empty()) {
      return {Backend::None, "SDP with quadratic terms"};
    }
    return {Backend::Dsdp, "SDP"};
  }
  if (!store.quadConstrs.empty()) {
    return {Backend::None, integer ? "MIQCP (quadratic constraints and "
                                     "integer variables)"
                                   : "QCP (quadratic constraints)"};
  }
  if (quadraticObjective) {
    return integer ? ModelClass{Backend::None,
                                "MIQP (quadratic objective and integer "
                                "variables)"}
                   : ModelClass{Backend::ClpQuadratic, "QP"};
  }
  return integer ? ModelClass{Backend::Cbc, "MILP"}
                 : ModelClass{Backend::ClpLinear, "LP"};
}
