// Bad arguments give their code and leave the model as it was.
#include <limits>

#include "tests/libkorva/fixture.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr int invalid = KVA_ERROR_INVALID_ARGUMENT;
constexpr int outside = KVA_ERROR_INDEX_OUT_OF_RANGE;

// Arguments of KVAloadmodel for min x + y s.t. x + 2y >= 2.
struct LoadArgs {
  int numVars = 2;
  double objConst = 0;
  std::vector<double> obj{1, 1};
  std::string sense = ">";
  std::vector<double> rhs{2};
  std::vector<int> count{1, 1};
  std::vector<int> rowIdx{0, 0};
  std::vector<double> vals{1, 2};
  std::vector<double> lb{0, 0};
  std::string vtype = "CC";
  bool nullObj = false;
};

int loadWith(KVAenv env, KVAmodel *model, const LoadArgs &a) {
  int begin[] = {0, 1};
  double ub[] = {inf, inf};
  return KVAloadmodel(env, model, "v", a.numVars, 1, 1, a.objConst,
                      a.nullObj ? nullptr : a.obj.data(), a.sense.data(),
                      a.rhs.data(), begin, a.count.data(), a.rowIdx.data(),
                      a.vals.data(), a.lb.data(), ub, a.vtype.data(), nullptr,
                      nullptr);
}

class LibkorvaValidationTest : public LibkorvaTest {};

TEST_F(LibkorvaValidationTest, CreationRejectsBadArguments) {
  using A = LoadArgs;
  struct Case {
    const char *name;
    void (*spoil)(A &);
    int code;
  };
  const Case cases[] = {
      {"valid", [](A &) {}, KVA_OK},
      {"negative count", [](A &a) { a.numVars = -1; }, invalid},
      {"NaN constant", [](A &a) { a.objConst = nan; }, invalid},
      {"infinite cost", [](A &a) { a.obj[1] = inf; }, invalid},
      {"row sense", [](A &a) { a.sense = "G"; }, invalid},
      {"NaN rhs", [](A &a) { a.rhs[0] = nan; }, invalid},
      {"row index", [](A &a) { a.rowIdx[1] = 1; }, outside},
      {"row twice in a column",
       [](A &a) {
         a.count = {2, 0};
       },
       invalid},
      {"negative column count", [](A &a) { a.count[0] = -1; }, invalid},
      {"NaN bound", [](A &a) { a.lb[0] = nan; }, invalid},
      {"lower bound at +inf", [](A &a) { a.lb[0] = inf; }, invalid},
      {"type", [](A &a) { a.vtype = "CS"; }, invalid},
      {"no objective", [](A &a) { a.nullObj = true; }, KVA_ERROR_NULL_ARGUMENT},
  };
  for (const Case &c : cases) {
    LoadArgs args;
    c.spoil(args);
    KVAmodel created = reinterpret_cast<KVAmodel>(&args);
    EXPECT_EQ(loadWith(env, &created, args), c.code) << c.name;
    EXPECT_EQ(created == nullptr, c.code != KVA_OK) << c.name;
    if (created != nullptr) {
      EXPECT_EQ(KVAfreemodel(created), KVA_OK);
    }
  }
}

// A sense whose infinite right-hand side leaves a row no satisfiable side
// is refused where the row is made; facing the other way it is a free row.
TEST_F(LibkorvaValidationTest, InfiniteSidesOfLinearQuadraticIndicatorRows) {
  struct Case {
    char sense;
    double rhs;
    int code;
  };
  const Case cases[] = {
      {'=', inf, invalid},  {'=', -inf, invalid}, {'=', 1e30, invalid},
      {'<', -inf, invalid}, {'>', inf, invalid},  {'<', inf, KVA_OK},
      {'>', -inf, KVA_OK},  {'=', 1e19, KVA_OK},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(std::string(1, c.sense) + " " + std::to_string(c.rhs));
    KVAmodel row = nullptr;
    double one[] = {1}, zero[] = {0};
    int first[] = {0}, single[] = {1};
    EXPECT_EQ(
        KVAloadmodel(env, &row, "r", 1, 1, 1, 0, one, &c.sense, &c.rhs, first,
                     single, first, one, zero, one, nullptr, nullptr, nullptr),
        c.code);
    if (row != nullptr) {
      EXPECT_EQ(KVAoptimize(row), KVA_OK);
      KVAfreemodel(row);
    }
    load(variables({1, 1}, {}, 1, "BC"));
    EXPECT_EQ(
        addQuadConstraint(model, {{1}, {1}}, {{0}, {0}, {1}}, c.sense, c.rhs),
        c.code);
    EXPECT_EQ(addIndicator(model, 0, 1, {{1}, {1}}, c.sense, c.rhs), c.code);
  }
}

// Every count, the variable arrays, the row sides, constant and sense.
std::vector<double> snapshot(KVAmodel model) {
  std::vector<double> s;
  for (const char *name : {"NumVars", "NumConss", "NumQConstrs", "NumSOS",
                           "NumGenConstrs", "NumPsdVars", "ModelSense"}) {
    int value = -1;
    EXPECT_EQ(KVAgetintattr(model, name, &value), KVA_OK) << name;
    s.push_back(value);
  }
  for (const char *name : {"Obj", "LB", "UB", "LHS", "RHS"}) {
    double values[3];
    int count = name[1] == 'H' ? 1 : 3;
    EXPECT_EQ(KVAgetdblattrarray(model, name, 0, count, values), KVA_OK);
    s.insert(s.end(), values, values + count);
  }
  s.push_back(0);
  EXPECT_EQ(KVAgetdblattr(model, "ObjConst", &s.back()), KVA_OK);
  return s;
}

TEST_F(LibkorvaValidationTest, RejectedChangesLeaveTheModelAsItWas) {
  // max x + y + z  s.t.  x + y + z <= 2, all in [0, 1].
  load(withRows(variables({1, 1, 1}, {1, 1, 1}, -1), {{1, 1, 1}}, "<", {2}));
  KVAmodel m = model;
  int two[] = {0, 2}, types[] = {1, 1}, members[] = {0, 1, 1, 5};
  int lowerTriangle[] = {2}, beyond[] = {4};
  double w[] = {1, 2, 1, 2}, infinite[] = {2, inf};
  std::vector<double> before = snapshot(model);
  auto refused = [&](const char *name, int code, int expected) {
    EXPECT_EQ(code, expected) << name;
    EXPECT_EQ(snapshot(model), before) << name;
  };
  refused("Q index", addQpTerms(m, {{0, 3}, {0, 0}, {1, 1}}), outside);
  refused("Q NaN", addQpTerms(m, {{0}, {0}, {nan}}), invalid);
  refused("Q null", KVAaddqpterms(m, 1, nullptr, two, w),
          KVA_ERROR_NULL_ARGUMENT);
  refused("quadcon sense", addQuadConstraint(m, {{0}, {1}}, {}, 'L', 1),
          invalid);
  refused("quadcon repeated term",
          addQuadConstraint(m, {{1, 1}, {1, 1}}, {}, '<', 1), invalid);
  refused("SOS type", addSos(m, 3, {0, 1}, {1, 2}), invalid);
  refused("SOS equal weights", addSos(m, 1, {0, 1}, {1, 1}), invalid);
  refused("second SOS set bad", KVAaddsos(m, 2, 4, types, two, members, w),
          outside);
  refused("SOS begins", KVAaddsos(m, 1, 2, types, two + 1, members, w),
          invalid);
  refused("indicator variable", addIndicator(m, 3, 1, {{0}, {1}}, '<', 1),
          outside);
  refused("indicator value", addIndicator(m, 2, 2, {{0}, {1}}, '<', 1),
          invalid);
  refused("psd dimension", addPsdVar(m, 0, {}), invalid);
  refused("psd lower triangle",
          KVAaddpsdvar(m, 2, 1, lowerTriangle, w, nullptr), invalid);
  refused("psd entry outside", KVAaddpsdvar(m, 2, 1, beyond, w, nullptr),
          outside);
  refused("VType", KVAsetcharattrarray(m, "VType", 0, 2, "IX"), invalid);
  refused("LB NaN", KVAsetdblattrelement(m, "LB", 0, nan), invalid);
  refused("LHS at +inf", KVAsetdblattrelement(m, "LHS", 0, inf), invalid);
  refused("RHS index", KVAsetdblattrelement(m, "RHS", 1, 0), outside);
  refused("Obj infinite", KVAsetdblattrarray(m, "Obj", 0, 2, infinite),
          invalid);
  refused("ModelSense", KVAsetintattr(m, "ModelSense", 2), invalid);
  // Nothing of the rejected quadratic terms, SOS sets, indicators or types
  // slipped in: the model is still the LP it was.
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_OPTIMAL);
  EXPECT_NEAR(objVal(), 2, 1e-9);
  EXPECT_NE(log().find("LP solved by"), std::string::npos);
}

TEST_F(LibkorvaValidationTest, SemidefiniteConstraintsCheckTheirMatrices) {
  load(variables({1, 1, 1}, {}));
  int varFlat[] = {0, 3};
  double vals[] = {1, 0.5};
  ASSERT_EQ(KVAaddpsdvar(model, 2, 2, varFlat, vals, nullptr), KVA_OK);
  struct Case {
    const char *name;
    int psdVar;
    std::vector<int> matBegin;
    std::vector<int> flat;
    int sense;
    int code;
  };
  const Case cases[] = {
      {"valid", 0, {0, 2}, {0, 1}, '=', KVA_OK},
      {"variable index", 1, {0, 2}, {0, 1}, '=', outside},
      {"begins", 0, {0, 1}, {0, 1}, '=', invalid},
      {"entry beyond the variable", 0, {0, 2}, {0, 8}, '=', outside},
      {"sense", 0, {0, 2}, {0, 1}, 'E', invalid},
      {"zero matrix", 0, {0, 0}, {}, '=', KVA_OK},
  };
  int linearIdx[] = {0};
  for (const Case &c : cases) {
    int before = intAttr("NumPsdConstrs");
    EXPECT_EQ(KVAaddpsdconstr(model, 1, 1, count(c.flat), linearIdx, vals,
                              &c.psdVar, c.matBegin.data(), c.flat.data(), vals,
                              c.sense, 1.0, nullptr),
              c.code)
        << c.name;
    EXPECT_EQ(intAttr("NumPsdConstrs") - before, c.code == KVA_OK) << c.name;
  }
  EXPECT_EQ(addPsdRow(model, {}, 0, {{0, 3}, {1, .5}}, 'R', 1, nan), invalid);
  EXPECT_EQ(addPsdRow(model, {}, 0, {{0, 3}, {1, .5}}, 'R', 1, -1), KVA_OK);
}

}  // namespace
