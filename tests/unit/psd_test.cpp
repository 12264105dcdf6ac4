// Reading "psdvar" and "psdcon": every error, raised from the second
// element with nothing left held. What reads well is seen by the solver in
// model_additions_test.
#include <gtest/gtest.h>

#include <string>

#include "fake_solver.h"
#include "testhost.h"

namespace {

using testhost::cell;
using testhost::row;
using testhost::scalar;
using testhost::setField;
using testhost::sparse;
using testhost::text;

mxArray *symmetric() { return sparse(2, 2, {{0, 1, 2}, {1, 0, 2}}); }
mxArray *asymmetric() { return sparse(2, 2, {{0, 1, 1}, {1, 0, 2}}); }
mxArray *twoNumbers() { return row({1, 2}); }
mxArray *wideSparse() { return sparse(2, 3, {{0, 0, 1}}); }

// Both fields have two elements; the first of each reads well.
mxArray *model(const char *badField, const char *name, mxArray *value) {
  mxArray *psdvar = testhost::structArray(2, {"obj", "name", "objs"});
  setField(psdvar, 0, "obj", symmetric());
  setField(psdvar, 0, "name", text("X"));
  mxArray *psdcon =
      testhost::structArray(2, {"psdmats", "indices", "linearterm", "name",
                                "rhs", "lhsorsense", "psdmat"});
  setField(psdcon, 0, "psdmats", cell({symmetric()}));
  setField(psdcon, 0, "indices", row({1}));
  setField(psdcon, 0, "linearterm", sparse(1, 2, {{0, 1, 3}}));
  setField(psdcon, 0, "name", text("c"));
  setField(std::string(badField) == "psdvar" ? psdvar : psdcon, 1, name, value);
  return testhost::structure(
      {{"obj", row({1, 1})}, {"psdvar", psdvar}, {"psdcon", psdcon}});
}

TEST(Psd, ErrorsNameTheFieldAndReleaseEverything) {
  struct Case {
    const char *field;
    const char *name;
    mxArray *(*value)();
    const char *message;
  };
  const Case cases[] = {
      {"psdvar", "obj", twoNumbers, "psdvar(2).obj. It should be sparse."},
      {"psdvar", "obj", asymmetric, "psdvar(2).obj. It should be symmetric."},
      {"psdvar", "name", [] { return scalar(1); },
       "psdvar.name. It should be char array."},
      {"psdvar", "objs", symmetric, "psdvar(2).objs. Invalid attribute."},
      {"psdcon", "psdmats", symmetric, "psdcon(2).psdmats. It should be cell!"},
      {"psdcon", "psdmats",
       [] {
         return cell({symmetric(), twoNumbers()});
       },
       "psdcon(2).psdmats{2}. It should be sparse."},
      {"psdcon", "psdmats",
       [] {
         return cell({symmetric(), asymmetric()});
       },
       "psdcon(2).psdmats{2}. It should be symmetric."},
      {"psdcon", "indices", [] { return text("1"); },
       "psdcon.indices. It should be double."},
      {"psdcon", "rhs", twoNumbers, "psdcon.rhs. It should be scalar."},
      {"psdcon", "rhs", [] { return text("r"); },
       "psdcon.rhs. It should be double."},
      {"psdcon", "lhsorsense", [] { return text("<="); },
       "psdcon.lhsorsense. It should be scalar."},
      {"psdcon", "lhsorsense", [] { return testhost::logicalScalar(true); },
       "psdcon.lhsorsense. It should be double or char."},
      {"psdcon", "linearterm", wideSparse,
       "psdcon(2).linearterm. It should be 1*n sparse."},
      {"psdcon", "linearterm", [] { return text("l"); },
       "psdcon.linearterm. It should be sparse."},
      {"psdcon", "name", [] { return scalar(1); },
       "psdcon.name. It should be char array."},
      {"psdcon", "psdmat", symmetric, "psdcon(2).psdmat. Invalid attribute."},
  };
  for (const Case &c : cases) {
    fake::reset();
    testhost::Array structure(model(c.field, c.name, c.value()));
    testhost::CallResult result = testhost::call({structure.get()});
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.heldBlocks, 0u);
    EXPECT_TRUE(result.faults.empty());
  }
}

}  // namespace
