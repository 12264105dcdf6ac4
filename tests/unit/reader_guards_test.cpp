// The guards every reader shares: a value copied dense is sized by its rows
// times columns, sparse or not, and a scalar must be real. Each case runs a
// whole call, which must end in the one error and leave nothing held.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "fake_solver.h"
#include "testhost.h"

namespace {

using testhost::row;
using testhost::scalar;
using testhost::structure;

// 2^31 positions without a stored entry: cheap to hold, too large to copy.
mxArray *wide() { return testhost::sparse(65536, 32768, {}); }
mxArray *complexScalar() { return testhost::complexRow({1}, {2}); }

mxArray *one(const char *field, mxArray *value) {
  return structure({{field, value}});
}

struct Case {
  std::function<mxArray *()> model;
  const char *message;
};

TEST(ReaderGuards, DenseCopiesAreSizedAndScalarsMustBeReal) {
  const Case cases[] = {
      {[] { return one("obj", wide()); }, "obj. It is too large."},
      {[] { return one("rhs", wide()); }, "rhs. It is too large."},
      {[] { return one("lb", wide()); }, "lb. It is too large."},
      {[] { return one("ub", wide()); }, "ub. It is too large."},
      {[] { return one("start", wide()); }, "start. It is too large."},
      {[] { return one("lhsorsense", wide()); },
       "lhsorsense. It is too large."},
      {[] { return one("colbasis", wide()); }, "colbasis. It is too large."},
      {[] { return one("quadcon", one("Qrow", wide())); },
       "quadcon(1).Qrow. It is too large."},
      {[] { return one("quadcon", one("Qcol", wide())); },
       "quadcon(1).Qcol. It is too large."},
      {[] { return one("quadcon", one("Qval", wide())); },
       "quadcon(1).Qval. It is too large."},
      {[] { return one("psdcon", one("indices", wide())); },
       "psdcon.indices. It is too large."},
      // 2^32 positions: a 32-bit count would wrap to 0.
      {[] {
         return one(
             "sos",
             structure({{"index", row({1})},
                        {"weight", testhost::sparse(65536, 65536, {})}}));
       },
       "sos.weight 1. It is too large."},
      {[] {
         return one("sos", structure({{"index", complexScalar()},
                                      {"weight", row({1})}}));
       },
       "sos.index 1. It should be real."},
      {[] {
         return one("sos", structure({{"type", complexScalar()}}));
       },
       "sos(1).type. It should be real."},
      {[] { return one("objcon", complexScalar()); },
       "objcon. It should be real."},
      {[] { return one("quadcon", one("rhs", complexScalar())); },
       "quadcon(1).rhs. It should be real."},
      {[] { return one("quadcon", one("lhsorsense", complexScalar())); },
       "quadcon(1).lhsorsense. It should be real."},
      {[] { return one("genconind", one("binvar", complexScalar())); },
       "genconind(1).binvar. It should be real."},
      {[] { return one("genconind", one("binval", complexScalar())); },
       "genconind(1).binval. It should be real."},
      {[] { return one("genconind", one("lhs", complexScalar())); },
       "genconind(1).lhs. It should be real."},
      {[] { return one("psdcon", one("rhs", complexScalar())); },
       "psdcon.rhs. It should be real."},
      {[] { return one("psdcon", one("lhsorsense", complexScalar())); },
       "psdcon.lhsorsense. It should be real."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    fake::reset();
    testhost::Array model(c.model());
    testhost::CallResult result = testhost::call({model.get()});
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.heldBlocks, 0u);
    EXPECT_TRUE(result.faults.empty());
  }
  testhost::Array model(one("obj", row({1})));
  testhost::Array params(structure({{"MaxTime", complexScalar()}}));
  EXPECT_EQ(testhost::call({model.get(), params.get()}).message,
            "MaxTime. It should be real.");
}

}  // namespace
