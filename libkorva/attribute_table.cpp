#include "libkorva/attribute_table.h"

#include <cstring>

#include "libkorva/api_export.h"

namespace {

struct AttrEntry {
  const char *name;
  AttrKind kind;
  bool writable;
};

const AttrEntry attrTable[] = {
    {"Status", AttrKind::Int, false},
    {"NumVars", AttrKind::Int, false},
    {"NumConss", AttrKind::Int, false},
    {"NumQConstrs", AttrKind::Int, false},
    {"NumSOS", AttrKind::Int, false},
    {"NumGenConstrs", AttrKind::Int, false},
    {"NumPsdVars", AttrKind::Int, false},
    {"NumPsdConstrs", AttrKind::Int, false},
    {"ModelSense", AttrKind::Int, true},
    {"IPM/NumIters", AttrKind::Int, false},
    {"SPX/NumIters", AttrKind::Int, false},
    {"ObjConst", AttrKind::Dbl, true},
    {"ObjVal", AttrKind::Dbl, false},
    {"SolverTime", AttrKind::Dbl, false},
    {"PresolverTime", AttrKind::Dbl, false},
    {"SolutionTime", AttrKind::Dbl, false},
    {"MIP/GapAbs", AttrKind::Dbl, false},
    {"MIP/GapRel", AttrKind::Dbl, false},
    {"ModelName", AttrKind::Str, true},
    {"Obj", AttrKind::DblArray, true},
    {"LB", AttrKind::DblArray, true},
    {"UB", AttrKind::DblArray, true},
    {"LHS", AttrKind::DblArray, true},
    {"RHS", AttrKind::DblArray, true},
    {"Start", AttrKind::DblArray, true},
    {"X", AttrKind::DblArray, false},
    {"RC", AttrKind::DblArray, false},
    {"Pi", AttrKind::DblArray, false},
    {"VType", AttrKind::CharArray, true},
    {"PsdX", AttrKind::Matrix, false},
};

}  // namespace

int checkAttribute(const char *name, AttrKind kind, bool forWrite) {
  if (name == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  for (const AttrEntry &entry : attrTable) {
    if (entry.kind == kind && std::strcmp(entry.name, name) == 0) {
      return forWrite && !entry.writable ? KVA_ERROR_ATTRIBUTE_READ_ONLY
                                         : KVA_OK;
    }
  }
  return KVA_ERROR_UNKNOWN_ATTRIBUTE;
}

int checkSlice(int first, int count, int size, const void *buffer) {
  if (first < 0 || count < 0 || first > size - count) {
    return KVA_ERROR_INDEX_OUT_OF_RANGE;
  }
  if (count > 0 && buffer == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  return KVA_OK;
}
