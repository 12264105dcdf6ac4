// Reading the linear and objective fields into the model record, and the
// field dispatch. Reader errors run through a whole call, which must leave
// nothing held.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_solver.h"
#include "gateway/korva_error.h"
#include "model/model_arguments.h"
#include "testhost.h"

namespace {

using testhost::cell;
using testhost::matrix;
using testhost::row;
using testhost::scalar;
using testhost::sparse;
using testhost::structure;
using testhost::text;

// Releasing the record at the end must give back every block read took.
class ReadRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    testhost::reclaimAll();
    emptyModelArguments(&args);
  }
  void TearDown() override {
    freeModelArguments(&args);
    globalmArg = nullptr;
    EXPECT_EQ(testhost::heldBlocks(), 0u);
  }
  void read(mxArray *model) {
    testhost::Array owned(model);
    getModelArguments(&args, owned.get());
  }
  ModelArguments args;
};

template <typename T>
std::vector<T> values(const T *data, int32_t count) {
  return std::vector<T>(data, data + count);
}

TEST_F(ReadRecord, StoresEachLinearField) {
  std::string longName(200, 'v');
  read(structure({
      {"obj", matrix(3, 2, {1, 2, 3, 4, 5, 6})},
      {"rhs", sparse(2, 2, {{1, 0, 5}, {0, 1, -2}})},
      {"lhsorsense", text("<=>")},
      {"lb", testhost::emptyDouble()},
      {"vtype", text("BCI")},
      {"modelname", text(std::string(300, 'm'))},
      {"objcon", scalar(2.5)},
      {"varnames", cell({text("x"), text(longName)})},
      {"constrnames", cell({})},
      {"colbasis", row({0, 1, 2.7, -1, -1.5})},
      {"A", testhost::sparseLogical(2, 3, {{1, 2, 1}})},
      {"Q", sparse(2, 2, {{0, 0, 1}, {1, 0, 2}, {0, 1, 3}})},
  }));
  EXPECT_EQ(values(args.obj, args.numObj),
            (std::vector<double>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(values(args.rhs, args.numRhs), (std::vector<double>{0, 5, -2, 0}));
  EXPECT_STREQ(args.sense, "<=>");
  EXPECT_EQ(args.numLhs, 0);
  EXPECT_EQ(args.numLb, 0);
  EXPECT_STREQ(args.vtype, "BCI");
  EXPECT_EQ(std::string(args.modelname), std::string(300, 'm'));
  EXPECT_EQ(args.objcon, 2.5);
  ASSERT_EQ(args.numVarnames, 2u);
  EXPECT_STREQ(args.varnames[0], "x");
  EXPECT_EQ(std::string(args.varnames[1]), longName.substr(0, 127));
  EXPECT_EQ(args.numConstrnames, 0u);
  EXPECT_EQ(values(args.colbasis, args.numColbasis),
            (std::vector<int32_t>{0, 1, 2, -1, -1}));
  EXPECT_EQ(args.A.numRows, 2);
  EXPECT_EQ(args.A.numCols, 3);
  EXPECT_EQ(values(args.A.colCount, 3), (std::vector<int32_t>{0, 0, 1}));
  EXPECT_EQ(values(args.A.vals, args.A.nnz), (std::vector<double>{1}));
  EXPECT_EQ(args.Q.numCols, 2);
  EXPECT_EQ(values(args.Q.rowIdx, args.Q.nnz), (std::vector<int32_t>{0, 1, 0}));
  EXPECT_EQ(values(args.Q.colIdx, args.Q.nnz), (std::vector<int32_t>{0, 0, 1}));
}

TEST_F(ReadRecord, OnlyMaxAndLowerCaseMaxMaximise) {
  const std::pair<std::string, int32_t> cases[] = {
      {"Max", -1},     {"max", -1}, {"MAX", 1},
      {"maximize", 1}, {"min", 1},  {std::string(127, 'x'), 1}};
  for (const auto &[value, sense] : cases) {
    SCOPED_TRACE(value);
    read(structure({{"modelsense", text(value)}}));
    EXPECT_EQ(args.modelsense, sense);
  }
}

TEST_F(ReadRecord, ReadsOnlyValuesOfTheFirstElement) {
  mxArray *model = testhost::structArray(2, {"bogus", "obj", "vtype"});
  testhost::setField(model, 0, "obj", row({1, 2}));
  testhost::setField(model, 1, "bogus", scalar(1));
  testhost::setField(model, 1, "vtype", scalar(3));
  read(model);
  EXPECT_EQ(values(args.obj, args.numObj), (std::vector<double>{1, 2}));
  EXPECT_EQ(args.vtype, nullptr);
}

TEST_F(ReadRecord, NoFieldsOrNoElementsReadNothing) {
  read(structure({}));
  read(testhost::structArray(0, {"obj", "bogus"}));
  EXPECT_EQ(args.obj, nullptr);
  EXPECT_EQ(args.modelsense, 1);
}

// Each bad value comes after fields already stored, so the release of a
// partly filled record is exercised as well.
TEST(ModelFieldErrors, NameTheFieldAndReleaseEverything) {
  struct Case {
    const char *field;
    std::function<mxArray *()> value;
    const char *message;
  };
  const Case cases[] = {
      {"A", [] { return row({1}); }, "A. It should be sparse."},
      {"A",
       [] {
         return testhost::sparseComplex(1, 1, {{0, 0, 1}});
       },
       "A. It should be real."},
      {"obj", [] { return text("x"); }, "obj. It should be double."},
      {"rhs", [] { return testhost::complexRow({1}, {2}); },
       "rhs. It should be real."},
      {"lhsorsense", [] { return cell({}); },
       "lhsorsense. It should be double or char."},
      {"lb", [] { return testhost::int32Scalar(1); },
       "lb. It should be double."},
      {"ub", [] { return testhost::logicalScalar(true); },
       "ub. It should be double."},
      {"start", [] { return text("s"); }, "start. It should be double."},
      {"colbasis", [] { return text("b"); }, "colbasis. It should be double."},
      {"vtype", [] { return row({1}); }, "vtype. It should be char array."},
      {"modelname", [] { return scalar(1); },
       "modelname. It should be char array."},
      {"modelsense", [] { return scalar(-1); },
       "modelsense. It should be char array."},
      {"modelsense", [] { return text(std::string(128, 'x')); },
       "modelsense. too long!"},
      {"objcon",
       [] {
         return row({1, 2});
       },
       "objcon. It should be scalar."},
      {"objcon", [] { return text("1"); }, "objcon. It should be double."},
      {"varnames", [] { return text("x"); }, "varnames. It should be cell!"},
      {"varnames",
       [] {
         return cell({text("x"), scalar(1)});
       },
       "varnames. It should be char array."},
      {"constrnames",
       [] {
         return cell({text("c"), cell({})});
       },
       "constrnames. It should be char array."},
      {"Q",
       [] {
         return matrix(2, 2, {1, 0, 0, 1});
       },
       "Q. It should be sparse."},
      {"Q",
       [] {
         return sparse(2, 3, {{0, 0, 1}});
       },
       "Q. It should be square!"},
      {"a",
       [] {
         return sparse(1, 1, {{0, 0, 1}});
       },
       "a. Unsupported model attribute."},
      {"Obj", [] { return row({1}); }, "Obj. Unsupported model attribute."},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<std::pair<std::string, mxArray *>> fields;
    if (std::string(c.field) != "obj") {
      fields.emplace_back("obj", row({1, 2}));
    }
    if (std::string(c.field) != "varnames") {
      fields.emplace_back("varnames", cell({text("x"), text("y")}));
    }
    fields.emplace_back(c.field, c.value());
    testhost::Array model(structure(fields));
    fake::reset();
    testhost::CallResult result = testhost::call({model.get()});
    EXPECT_EQ(result.message, c.message);
    EXPECT_EQ(result.heldBlocks, 0u);
    EXPECT_TRUE(result.faults.empty());
    EXPECT_TRUE(fake::calls().empty());
  }
}

}  // namespace
