// Bad arguments give a nonzero code and leave the model as it was.
#include <functional>
#include <limits>

#include "tests/libkorva/model_builders.h"
#include "tests/libkorva/solver_fixture.h"

namespace {

constexpr double inf = KVA_INFINITY;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr int invalid = KVA_ERROR_INVALID_ARGUMENT;
constexpr int outside = KVA_ERROR_INDEX_OUT_OF_RANGE;

// Arguments of KVAloadmodel for min x + y s.t. x + 2y >= 2.
struct LoadArgs {
  int numVars = 2;
  int objSense = 1;
  double objConst = 0;
  std::vector<double> obj{1, 1};
  std::string sense = ">";
  std::vector<double> rhs{2};
  std::vector<int> count{1, 1};
  std::vector<int> rowIdx{0, 0};
  std::vector<double> vals{1, 2};
  std::vector<double> lb{0, 0};
  std::vector<double> ub{inf, inf};
  std::string vtype = "CC";
  bool nullObj = false;
};

int loadWith(KVAenv env, KVAmodel *model, const LoadArgs &a) {
  int begin[] = {0, 1};
  return KVAloadmodel(env, model, "v", a.numVars, 1, a.objSense, a.objConst,
                      a.nullObj ? nullptr : a.obj.data(), a.sense.data(),
                      a.rhs.data(), begin, a.count.data(), a.rowIdx.data(),
                      a.vals.data(), a.lb.data(), a.ub.data(), a.vtype.data(),
                      nullptr, nullptr);
}

class LibkorvaValidationTest : public LibkorvaTest {};

TEST_F(LibkorvaValidationTest, CreationRejectsBadArguments) {
  using A = LoadArgs;
  struct Case {
    const char *name;
    std::function<void(A &)> spoil;
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
  DenseModel lp;  // max x + y + z  s.t.  x + y + z <= 2, all in [0, 1]
  lp.obj = {1, 1, 1};
  lp.rows = {{1, 1, 1}};
  lp.sense = "<";
  lp.rhs = {2};
  lp.ub = {1, 1, 1};
  lp.objSense = -1;
  load(lp);
  KVAmodel m = model;
  int two[] = {0, 2};
  int types[] = {1, 1};
  int members[] = {0, 1, 1, 5};
  double w[] = {1, 2, 1, 2};
  int lowerTriangle[] = {2};
  int beyond[] = {4};
  struct Case {
    const char *name;
    std::function<int()> call;
    int code;
  };
  const Case cases[] = {
      {"Q index",
       [&] {
         return addQpTerms(m, {{0, 3}, {0, 0}, {1, 1}});
       },
       outside},
      {"Q NaN",
       [&] {
         return addQpTerms(m, {{0}, {0}, {nan}});
       },
       invalid},
      {"Q null", [&] { return KVAaddqpterms(m, 1, nullptr, two, w); },
       KVA_ERROR_NULL_ARGUMENT},
      {"quadcon sense",
       [&] {
         return addQuadConstraint(m, {{0}, {1}}, {}, 'L', 1);
       },
       invalid},
      {"quadcon repeated term",
       [&] {
         return addQuadConstraint(m, {{1, 1}, {1, 1}}, {}, '<', 1);
       },
       invalid},
      {"SOS type",
       [&] {
         return addSos(m, 3, {0, 1}, {1, 2});
       },
       invalid},
      {"SOS equal weights",
       [&] {
         return addSos(m, 1, {0, 1}, {1, 1});
       },
       invalid},
      {"second SOS set bad",
       [&] { return KVAaddsos(m, 2, 4, types, two, members, w); }, outside},
      {"SOS begins",
       [&] { return KVAaddsos(m, 1, 2, types, two + 1, members, w); }, invalid},
      {"indicator variable",
       [&] {
         return addIndicator(m, 3, 1, {{0}, {1}}, '<', 1);
       },
       outside},
      {"indicator value",
       [&] {
         return addIndicator(m, 2, 2, {{0}, {1}}, '<', 1);
       },
       invalid},
      {"psd dimension",
       [&] { return KVAaddpsdvar(m, 0, 0, nullptr, nullptr, nullptr); },
       invalid},
      {"psd lower triangle",
       [&] { return KVAaddpsdvar(m, 2, 1, lowerTriangle, w, nullptr); },
       invalid},
      {"psd entry outside",
       [&] { return KVAaddpsdvar(m, 2, 1, beyond, w, nullptr); }, outside},
      {"VType", [&] { return KVAsetcharattrarray(m, "VType", 0, 2, "IX"); },
       invalid},
      {"LB NaN", [&] { return KVAsetdblattrelement(m, "LB", 0, nan); },
       invalid},
      {"LHS at +inf", [&] { return KVAsetdblattrelement(m, "LHS", 0, inf); },
       invalid},
      {"RHS index", [&] { return KVAsetdblattrelement(m, "RHS", 1, 0); },
       outside},
      {"Obj infinite",
       [&] {
         double values[] = {2, inf};
         return KVAsetdblattrarray(m, "Obj", 0, 2, values);
       },
       invalid},
      {"ModelSense", [&] { return KVAsetintattr(m, "ModelSense", 2); },
       invalid},
  };
  std::vector<double> before = snapshot(model);
  for (const Case &c : cases) {
    EXPECT_EQ(c.call(), c.code) << c.name;
    EXPECT_EQ(snapshot(model), before) << c.name;
  }
  // Nothing of the rejected quadratic terms, SOS sets, indicators or types
  // slipped in: the model is still the LP it was.
  ASSERT_EQ(KVAoptimize(model), KVA_OK);
  EXPECT_EQ(status(), KVA_OPTIMAL);
  EXPECT_NEAR(objVal(), 2, 1e-9);
  EXPECT_NE(log().find("LP solved by"), std::string::npos);
}

TEST_F(LibkorvaValidationTest, SemidefiniteConstraintsCheckTheirMatrices) {
  DenseModel lp;
  lp.obj = {1, 1, 1};
  load(lp);
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
  };
  int linearIdx[] = {0};
  for (const Case &c : cases) {
    int before = -1;
    int after = -1;
    ASSERT_EQ(KVAgetintattr(model, "NumPsdConstrs", &before), KVA_OK);
    EXPECT_EQ(KVAaddpsdconstr(model, 1, 1, 2, linearIdx, vals, &c.psdVar,
                              c.matBegin.data(), c.flat.data(), vals, c.sense,
                              1.0, nullptr),
              c.code)
        << c.name;
    ASSERT_EQ(KVAgetintattr(model, "NumPsdConstrs", &after), KVA_OK);
    EXPECT_EQ(after - before, c.code == KVA_OK ? 1 : 0) << c.name;
  }
  int first = 0;
  int begins[] = {0, 2};
  EXPECT_EQ(KVAaddrangepsdconstr(model, 0, 1, 2, nullptr, nullptr, &first,
                                 begins, varFlat, vals, nan, 1.0, nullptr),
            invalid);
  EXPECT_EQ(KVAaddrangepsdconstr(model, 0, 1, 2, nullptr, nullptr, &first,
                                 begins, varFlat, vals, -1.0, 1.0, nullptr),
            KVA_OK);
}

}  // namespace
