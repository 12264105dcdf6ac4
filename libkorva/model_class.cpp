#include "libkorva/model_class.h"

#include <algorithm>

#include "libkorva/linear_problem.h"

ModelClass classifyModel(const ModelStore &store) {
  bool integerVars =
      std::any_of(store.vtype.begin(), store.vtype.end(), isIntegerType);
  bool special = !store.sos.empty() || !store.indicators.empty();
  bool integer = integerVars || special;
  bool quadraticObjective = !store.objQuad.empty();
  bool quadraticConstraints = !store.quadConstrs.empty();
  if (!store.psdVars.empty() || !store.psdConstrs.empty()) {
    if (integer) {
      return {Backend::None,
              "MISDP (semidefinite parts and integer variables)"};
    }
    if (quadraticObjective || quadraticConstraints) {
      return {Backend::None, "SDP with quadratic terms"};
    }
    return {Backend::Dsdp, "SDP"};
  }
  if (quadraticConstraints || (quadraticObjective && integer)) {
    const char *name = !quadraticConstraints ? "MIQP"
                       : integer             ? "MIQCP"
                                             : "QCP";
    // Bonmin's search knows neither SOS sets nor indicator constraints.
    if (special) {
      return {Backend::None,
              std::string(name) + " with SOS or indicator constraints"};
    }
    return {Backend::Bonmin, name};
  }
  if (quadraticObjective) return {Backend::ClpQuadratic, "QP"};
  return integer ? ModelClass{Backend::Cbc, "MILP"}
                 : ModelClass{Backend::ClpLinear, "LP"};
}
