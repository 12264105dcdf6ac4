// Reading the model structure into the record: what each field stores, and
// one table of errors per family of readers. Each error runs a whole call
// whose earlier fields are already stored, so it must also release a partly
// filled record and leave nothing behind.
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/model_arguments.h"
#include "unit_support.h"

namespace {

using testhost::cell;
using testhost::matrix;
using testhost::row;
using testhost::scalar;
using testhost::setField;
using testhost::sparse;
using testhost::structure;
using testhost::text;

// Releasing the record at the end must give back every block read took.
class ReadRecord : public ::testing::Test {
 protected:
  void SetUp() override {
    testhost::reclaimAll();
    testhost::takeWarnings();
    emptyModelArguments(&args);
  }
  void TearDown() override {
    freeModelArguments(&args);
    globalmArg = nullptr;
    EXPECT_EQ(testhost::heldBlocks(), 0u);
    EXPECT_TRUE(testhost::takeFaults().empty());
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
using Ints = std::vector<int32_t>;
using Doubles = std::vector<double>;

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
  EXPECT_EQ(values(args.obj, args.numObj), (Doubles{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(values(args.rhs, args.numRhs), (Doubles{0, 5, -2, 0}));
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
  EXPECT_EQ(values(args.colbasis, args.numColbasis), (Ints{0, 1, 2, -1, -1}));
  EXPECT_EQ(args.A.numRows, 2);
  EXPECT_EQ(args.A.numCols, 3);
  EXPECT_EQ(values(args.A.colCount, 3), (Ints{0, 0, 1}));
  EXPECT_EQ(values(args.A.vals, args.A.nnz), (Doubles{1}));
  EXPECT_EQ(args.Q.numCols, 2);
  EXPECT_EQ(values(args.Q.rowIdx, args.Q.nnz), (Ints{0, 1, 0}));
  EXPECT_EQ(values(args.Q.colIdx, args.Q.nnz), (Ints{0, 0, 1}));
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
  setField(model, 0, "obj", row({1, 2}));
  setField(model, 1, "bogus", scalar(1));
  setField(model, 1, "vtype", scalar(3));
  read(model);
  EXPECT_EQ(values(args.obj, args.numObj), (Doubles{1, 2}));
  EXPECT_EQ(args.vtype, nullptr);
  read(structure({}));
  read(testhost::structArray(0, {"obj", "bogus"}));
  EXPECT_EQ(args.modelsense, 1);
}

// Each form a quadratic constraint can take; the third element's row list
// replaces its matrix's rows only, and its name is cut to 127 characters.
TEST_F(ReadRecord, StoresQuadraticConstraints) {
  mxArray *quadcon = testhost::structArray(
      3, {"Qc", "q", "lhsorsense", "name", "rhs", "Qrow", "Qcol", "Qval"});
  setField(quadcon, 0, "Qc",
           sparse(3, 3, {{0, 0, 1}, {1, 0, 2}, {0, 1, 2}, {2, 2, 3}}));
  setField(quadcon, 0, "q", row({0, 2, 0}));
  setField(quadcon, 0, "lhsorsense", text("="));
  setField(quadcon, 0, "name", text("c"));
  setField(quadcon, 0, "rhs", scalar(4));
  setField(quadcon, 1, "q", sparse(1, 3, {{0, 1, 2}}));
  setField(quadcon, 1, "lhsorsense", scalar(1));
  setField(quadcon, 1, "rhs", scalar(5));
  setField(quadcon, 1, "Qrow", row({1, 2}));
  setField(quadcon, 1, "Qcol", row({1, 2.9}));
  setField(quadcon, 1, "Qval", row({4, 5}));
  setField(quadcon, 2, "Qc", sparse(2, 2, {{0, 0, 1}, {0, 1, 2}}));
  setField(quadcon, 2, "name", text(std::string(130, 'n')));
  setField(quadcon, 2, "Qrow", row({2, 2}));
  read(structure({{"quadcon", quadcon}}));
  ASSERT_EQ(args.numQuadcons, 3);
  const QuadconArgument *q = args.quadcons;
  EXPECT_EQ(values(q[0].qIndices, q[0].numq), (Ints{0, 1, 2}));
  EXPECT_EQ(values(q[0].qValues, q[0].numq), (Doubles{0, 2, 0}));
  EXPECT_EQ(values(q[0].Qc.rowIdx, q[0].Qc.nnz), (Ints{0, 1, 0, 2}));
  EXPECT_EQ(values(q[0].Qc.colIdx, q[0].Qc.nnz), (Ints{0, 0, 1, 2}));
  EXPECT_EQ(values(q[0].Qc.vals, q[0].Qc.nnz), (Doubles{1, 2, 2, 3}));
  EXPECT_EQ(q[0].sense, '=');
  EXPECT_EQ(q[0].rhs, 4);
  EXPECT_STREQ(q[0].name, "c");
  EXPECT_EQ(q[0].hasLhs, 0);
  EXPECT_EQ(values(q[1].qIndices, q[1].numq), (Ints{1}));
  EXPECT_EQ(values(q[1].Qc.rowIdx, q[1].Qc.nnz), (Ints{0, 1}));
  EXPECT_EQ(values(q[1].Qc.colIdx, q[1].Qc.nnz), (Ints{0, 1}));
  EXPECT_EQ(values(q[1].Qc.vals, q[1].Qc.nnz), (Doubles{4, 5}));
  EXPECT_EQ(q[1].hasLhs, 1);
  EXPECT_EQ(q[1].lhs, 1);
  EXPECT_EQ(q[1].sense, '<');
  EXPECT_EQ(values(q[2].Qc.rowIdx, q[2].Qc.nnz), (Ints{1, 1}));
  EXPECT_EQ(values(q[2].Qc.colIdx, q[2].Qc.nnz), (Ints{0, 1}));
  EXPECT_EQ(std::string(q[2].name), std::string(127, 'n'));
  EXPECT_TRUE(testhost::takeWarnings().empty());
}

TEST_F(ReadRecord, UnequalTripletLengthsAreCutToTheShortestWithAWarningEach) {
  mxArray *quadcon = testhost::structArray(2, {"Qrow", "Qcol", "Qval"});
  setField(quadcon, 0, "Qrow", row({1, 2, 3}));
  setField(quadcon, 0, "Qcol", row({1, 2, 3}));
  setField(quadcon, 0, "Qval", row({4, 5}));
  setField(quadcon, 1, "Qrow", row({1, 2}));
  read(structure({{"quadcon", quadcon}}));
  EXPECT_EQ(args.quadcons[0].Qc.nnz, 2);
  EXPECT_EQ(args.quadcons[1].Qc.nnz, 0);
  EXPECT_EQ(testhost::takeWarnings(),
            std::vector<std::string>(
                2,
                "quadcon.qc. The lengths of the Qrow, Qcol and Qval are not "
                "equal. Select the minimum length from among them."));
}

TEST_F(ReadRecord, StoresSosSetsPackedAndIndicatorsOneByOne) {
  mxArray *sos = testhost::structArray(2, {"type", "index", "weight"});
  setField(sos, 0, "type", scalar(1.9));
  setField(sos, 0, "index", row({1, 3}));
  setField(sos, 0, "weight", row({1, 2}));
  setField(sos, 1, "type", scalar(2));
  setField(sos, 1, "index", row({2, 4, 5}));
  setField(sos, 1, "weight", row({1, 2, 3}));
  mxArray *genconind = testhost::structArray(
      2, {"binvar", "binval", "a", "sense", "rhs", "name"});
  setField(genconind, 0, "binvar", scalar(3));
  setField(genconind, 0, "binval", scalar(1.8));
  setField(genconind, 0, "a", row({1, 0, 2}));
  setField(genconind, 0, "sense", text(">="));
  setField(genconind, 0, "rhs", scalar(4));
  setField(genconind, 0, "name", text("g"));
  setField(genconind, 1, "binvar", scalar(1.7));
  setField(genconind, 1, "binval", scalar(0));
  setField(genconind, 1, "a", sparse(1, 3, {{0, 0, 5}, {0, 2, 6}}));
  setField(genconind, 1, "sense", text("="));
  setField(genconind, 1, "name", text("h"));
  read(structure({{"sos", sos}, {"genconind", genconind}}));
  EXPECT_EQ(values(args.sosTypes, args.numSos), (Ints{1, 2}));
  EXPECT_EQ(values(args.sosBegins, args.numSos + 1), (Ints{0, 2, 5}));
  EXPECT_EQ(values(args.sosIndices, args.numSosEntries), (Ints{0, 2, 1, 3, 4}));
  EXPECT_EQ(values(args.sosWeights, args.numSosEntries),
            (Doubles{1, 2, 1, 2, 3}));
  ASSERT_EQ(args.numGenconinds, 2);
  const GenconindArgument *g = args.genconinds;
  EXPECT_EQ(g[0].binvar, 2);
  EXPECT_EQ(g[0].binval, 1);
  EXPECT_EQ(values(g[0].aIndices, g[0].numA), (Ints{0, 1, 2}));
  EXPECT_EQ(values(g[0].aValues, g[0].numA), (Doubles{1, 0, 2}));
  EXPECT_EQ(g[0].sense, '>');
  EXPECT_EQ(g[0].rhs, 4);
  EXPECT_EQ(g[1].binvar, 0);
  EXPECT_EQ(values(g[1].aIndices, g[1].numA), (Ints{0, 2}));
  EXPECT_EQ(values(g[1].aValues, g[1].numA), (Doubles{5, 6}));
  EXPECT_EQ(g[1].sense, '=');
  EXPECT_STREQ(g[1].name, "h");
  // The second indicator leaves "rhs" unset: a warning, and 0.
  EXPECT_EQ(g[1].rhs, 0);
  EXPECT_EQ(testhost::takeWarnings(),
            std::vector<std::string>{"genconind.rhs 2. It is empty!"});
}

// Upper triangles with the diagonal; a zero on the diagonal is no entry.
TEST_F(ReadRecord, StoresSemidefiniteParts) {
  auto corner3 = [] { return sparse(3, 3, {{1, 2, 7}, {2, 1, 7}}); };
  auto full2 = [] {
    return sparse(2, 2, {{0, 0, 1}, {0, 1, 2}, {1, 0, 2}, {1, 1, 3}});
  };
  mxArray *psdvar = testhost::structArray(2, {"obj"});
  setField(psdvar, 0, "obj", corner3());
  setField(psdvar, 1, "obj", full2());
  mxArray *psdcon = testhost::structArray(
      2, {"psdmats", "indices", "linearterm", "rhs", "lhsorsense"});
  setField(psdcon, 0, "psdmats",
           cell({sparse(2, 2, {{0, 0, 1}, {0, 1, 2}, {1, 0, 2}}), full2()}));
  setField(psdcon, 0, "indices", row({2, 0}));
  setField(psdcon, 0, "linearterm", row({0, 3}));
  setField(psdcon, 0, "lhsorsense", scalar(2.5));
  setField(psdcon, 1, "psdmats", cell({corner3()}));
  setField(psdcon, 1, "linearterm", sparse(1, 4, {{0, 1, 5}, {0, 3, 6}}));
  setField(psdcon, 1, "lhsorsense", text(">"));
  read(structure({{"psdvar", psdvar}, {"psdcon", psdcon}}));
  const CooMatrix &corner = args.psdVars[0].obj;
  EXPECT_EQ(corner.numCols, 3);
  EXPECT_EQ(values(corner.rowIdx, corner.nnz), (Ints{1}));
  EXPECT_EQ(values(corner.colIdx, corner.nnz), (Ints{2}));
  const CooMatrix &full = args.psdVars[1].obj;
  EXPECT_EQ(values(full.rowIdx, full.nnz), (Ints{0, 0, 1}));
  EXPECT_EQ(values(full.colIdx, full.nnz), (Ints{0, 1, 1}));
  EXPECT_EQ(values(full.vals, full.nnz), (Doubles{1, 2, 3}));
  const PsdconArgument *c = args.psdcons;
  EXPECT_EQ(c[0].numPsdmats, 2);
  EXPECT_EQ(c[0].psdmats[0].nnz, 2);
  EXPECT_EQ(values(c[0].indices, c[0].numIndices), (Ints{1, -1}));
  EXPECT_EQ(values(c[0].lineartermIndices, c[0].numLinearterm), (Ints{0, 1}));
  EXPECT_EQ(values(c[0].lineartermValues, c[0].numLinearterm), (Doubles{0, 3}));
  EXPECT_EQ(c[0].hasLhs, 1);
  EXPECT_EQ(c[0].lhs, 2.5);
  EXPECT_EQ(values(c[1].lineartermIndices, c[1].numLinearterm), (Ints{1, 3}));
  EXPECT_EQ(values(c[1].lineartermValues, c[1].numLinearterm), (Doubles{5, 6}));
  EXPECT_EQ(c[1].sense, '>');
}

// `fields` with `field` appended, unless it is one of them.
std::vector<std::string> withField(std::vector<std::string> fields,
                                   const std::string &field) {
  if (std::find(fields.begin(), fields.end(), field) == fields.end()) {
    fields.push_back(field);
  }
  return fields;
}

struct ErrorCase {
  std::function<unit::Fields()> model;
  std::string message;
};

void expectErrors(const std::vector<ErrorCase> &cases) {
  for (const ErrorCase &c : cases) {
    SCOPED_TRACE(c.message);
    testhost::CallResult result = unit::solve(c.model());
    EXPECT_EQ(result.message, c.message);
    unit::expectNothingLeft(result);
  }
}

// `field` after a name list and an objective already read.
ErrorCase linear(const char *field, std::function<mxArray *()> value,
                 const char *message) {
  return {[=] {
            return unit::Fields{{"varnames", cell({text("x"), text("y")})},
                                {"obj", row({1, 2})},
                                {field, value()}};
          },
          message};
}

TEST(ReaderErrors, LinearAndTextFields) {
  expectErrors({
      linear(
          "A", [] { return row({1}); }, "A. It should be sparse."),
      linear(
          "A",
          [] {
            return testhost::sparseComplex(1, 1, {{0, 0, 1}});
          },
          "A. It should be real."),
      linear(
          "rhs", [] { return text("x"); }, "rhs. It should be double."),
      linear(
          "lhsorsense", [] { return cell({}); },
          "lhsorsense. It should be double or char."),
      linear(
          "lb", [] { return testhost::int32Scalar(1); },
          "lb. It should be double."),
      linear(
          "ub", [] { return testhost::logicalScalar(true); },
          "ub. It should be double."),
      linear(
          "start", [] { return text("s"); }, "start. It should be double."),
      linear(
          "colbasis", [] { return text("b"); },
          "colbasis. It should be double."),
      linear(
          "vtype", [] { return row({1}); }, "vtype. It should be char array."),
      linear(
          "modelname", [] { return scalar(1); },
          "modelname. It should be char array."),
      linear(
          "modelsense", [] { return scalar(-1); },
          "modelsense. It should be char array."),
      linear(
          "modelsense", [] { return text(std::string(128, 'x')); },
          "modelsense. too long!"),
      linear(
          "objcon",
          [] {
            return row({1, 2});
          },
          "objcon. It should be scalar."),
      linear(
          "objcon", [] { return text("1"); }, "objcon. It should be double."),
      linear(
          "constrnames", [] { return text("x"); },
          "constrnames. It should be cell!"),
      linear(
          "constrnames",
          [] {
            return cell({text("c"), scalar(1)});
          },
          "constrnames. It should be char array."),
      linear(
          "Q",
          [] {
            return matrix(2, 2, {1, 0, 0, 1});
          },
          "Q. It should be sparse."),
      linear(
          "Q",
          [] {
            return sparse(2, 3, {{0, 0, 1}});
          },
          "Q. It should be square!"),
      linear(
          "a", [] { return scalar(1); }, "a. Unsupported model attribute."),
      linear(
          "Obj", [] { return row({1}); }, "Obj. Unsupported model attribute."),
  });
}

// `field` of the second constraint, after a first one read in full.
ErrorCase quadcon(const char *field, std::function<mxArray *()> value,
                  const char *text) {
  std::string message = std::string("quadcon(2).") + field + ". " + text;
  return {[=] {
            mxArray *q = testhost::structArray(
                2, withField({"Qrow", "Qcol", "Qval", "q", "name"}, field));
            for (const char *name : {"Qrow", "Qcol", "Qval"}) {
              setField(q, 0, name, row({1}));
            }
            setField(q, 0, "q", sparse(1, 3, {{0, 2, 1}}));
            setField(q, 0, "name", testhost::text("first"));
            // Rows held before the error, their count not yet settled.
            if (std::string(field) != "Qrow") {
              setField(q, 1, "Qrow", row({1, 2}));
            }
            setField(q, 1, field, value());
            return unit::Fields{{"obj", row({1, 1, 1})}, {"quadcon", q}};
          },
          message};
}

TEST(ReaderErrors, QuadraticConstraints) {
  auto wide = [] { return sparse(2, 3, {}); };
  expectErrors({
      quadcon("Qc", wide, "It should be square!"),
      quadcon(
          "Qc", [] { return row({1}); }, "It should be sparse."),
      quadcon(
          "rhs",
          [] {
            return row({1, 2});
          },
          "It should be scalar."),
      quadcon(
          "rhs", [] { return text("r"); }, "It should be double."),
      quadcon(
          "lhsorsense", [] { return text("<="); }, "It should be scalar."),
      quadcon(
          "lhsorsense", [] { return testhost::logicalScalar(true); },
          "It should be double or char."),
      quadcon("q", wide, "It should be 1*n sparse."),
      quadcon(
          "q", [] { return text("q"); }, "It should be sparse."),
      quadcon(
          "name", [] { return scalar(1); }, "It should be char array."),
      quadcon(
          "Qrow",
          [] {
            return row({1, 0.5});
          },
          "Indices start from 1."),
      // A sparse index list's unstored entries are zeros.
      quadcon(
          "Qcol",
          [] {
            return sparse(1, 2, {{0, 1, 2}});
          },
          "Indices start from 1."),
      quadcon(
          "Qval", [] { return text("v"); }, "It should be double."),
      quadcon(
          "Qr", [] { return row({1}); }, "Invalid attribute."),
  });
}

// `field` of the second set, after a first set that reads well.
ErrorCase sos(const char *field, std::function<mxArray *()> value,
              const char *message) {
  return {
      [=] {
        std::vector<std::string> fields{"type", "index", "weight"};
        if (field != fields[0] && field != fields[1] && field != fields[2]) {
          fields.push_back(field);
        }
        mxArray *set = testhost::structArray(2, fields);
        setField(set, 0, "type", scalar(1));
        setField(set, 0, "index", row({1, 2}));
        setField(set, 0, "weight", row({1, 2}));
        setField(set, 1, "index", row({1, 2}));
        setField(set, 1, "weight", row({1, 2}));
        setField(set, 1, field, value());
        return unit::Fields{{"obj", row({1, 1})}, {"sos", set}};
      },
      message};
}

// `field` of the second indicator, after a first one that reads well.
ErrorCase genconind(const char *field, std::function<mxArray *()> value,
                    const char *text) {
  return {
      [=] {
        mxArray *g = testhost::structArray(2, withField({"a", "name"}, field));
        setField(g, 0, "a", sparse(1, 3, {{0, 1, 2}}));
        setField(g, 0, "name", testhost::text("first"));
        setField(g, 1, "a", row({1}));
        setField(g, 1, "name", testhost::text("second"));
        setField(g, 1, field, value());
        return unit::Fields{{"obj", row({1, 1, 1})}, {"genconind", g}};
      },
      std::string("genconind(2).") + field + ". " + text};
}

TEST(ReaderErrors, SosSetsAndIndicators) {
  auto one = [](mxArray *value) {
    return ErrorCase{[=] {
                       return unit::Fields{{"sos", value}};
                     },
                     "sos. It should be struct!"};
  };
  expectErrors({
      one(row({1})),
      one(testhost::structArray(0, {"type"})),
      sos(
          "weight",
          [] {
            return row({1, 2, 3});
          },
          "sos. index_length != weight_length. "),
      sos(
          "index", [] { return text("1"); },
          "sos.index 2. It should be double."),
      sos(
          "weight", [] { return testhost::emptyDouble(); },
          "sos.weight 2. It is empty!"),
      sos(
          "weight", [] { return text("w"); },
          "sos.weight 2. It should be double."),
      sos(
          "type", [] { return text("1"); },
          "sos(2).type. It should be double."),
      sos(
          "index",
          [] {
            return row({1, 0});
          },
          "sos(2).index. Indices start from 1."),
      // Names are checked before values: the first set already fails.
      sos(
          "priority", [] { return scalar(1); },
          "sos(1).priority. Invalid attribute."),
      genconind(
          "rhs",
          [] {
            return row({1, 2});
          },
          "It should be scalar."),
      genconind(
          "lhs", [] { return text("l"); }, "It should be double."),
      genconind(
          "sense", [] { return scalar(1); }, "It should be char array."),
      genconind(
          "a", [] { return sparse(2, 3, {}); }, "It should be 1*n sparse."),
      genconind(
          "a", [] { return text("a"); }, "It should be sparse."),
      genconind(
          "name", [] { return scalar(1); }, "It should be char array."),
      genconind(
          "binvar", [] { return scalar(0.5); }, "Indices start from 1."),
      genconind(
          "binvar",
          [] {
            return row({1, 2});
          },
          "It should be scalar."),
      genconind(
          "binval", [] { return testhost::logicalScalar(true); },
          "It should be double."),
      genconind(
          "bin", [] { return scalar(1); }, "Invalid attribute."),
  });
}

// `field` of the second element of `family`; the first elements of both
// fields read well.
ErrorCase psd(const char *family, const char *field,
              std::function<mxArray *()> value, const char *message) {
  return {
      [=] {
        auto symmetric = [] { return sparse(2, 2, {{0, 1, 2}, {1, 0, 2}}); };
        mxArray *psdvar = testhost::structArray(2, {"obj", "name", "objs"});
        setField(psdvar, 0, "obj", symmetric());
        setField(psdvar, 0, "name", text("X"));
        mxArray *psdcon =
            testhost::structArray(2, {"psdmats", "indices", "linearterm",
                                      "name", "rhs", "lhsorsense", "psdmat"});
        setField(psdcon, 0, "psdmats", cell({symmetric()}));
        setField(psdcon, 0, "indices", row({1}));
        setField(psdcon, 0, "linearterm", sparse(1, 2, {{0, 1, 3}}));
        setField(psdcon, 0, "name", text("c"));
        setField(std::string(family) == "psdvar" ? psdvar : psdcon, 1, field,
                 value());
        return unit::Fields{
            {"obj", row({1, 1})}, {"psdvar", psdvar}, {"psdcon", psdcon}};
      },
      message};
}

TEST(ReaderErrors, SemidefiniteParts) {
  auto asymmetric = [] { return sparse(2, 2, {{0, 1, 1}, {1, 0, 2}}); };
  auto symmetric = [] { return sparse(2, 2, {{0, 0, 1}}); };
  auto twoNumbers = [] { return row({1, 2}); };
  expectErrors({
      psd("psdvar", "obj", twoNumbers, "psdvar(2).obj. It should be sparse."),
      psd("psdvar", "obj", asymmetric,
          "psdvar(2).obj. It should be symmetric."),
      psd(
          "psdvar", "name", [] { return scalar(1); },
          "psdvar.name. It should be char array."),
      psd("psdvar", "objs", symmetric, "psdvar(2).objs. Invalid attribute."),
      psd("psdcon", "psdmats", symmetric,
          "psdcon(2).psdmats. It should be cell!"),
      psd(
          "psdcon", "psdmats",
          [=] {
            return cell({symmetric(), twoNumbers()});
          },
          "psdcon(2).psdmats{2}. It should be sparse."),
      psd(
          "psdcon", "psdmats",
          [=] {
            return cell({symmetric(), asymmetric()});
          },
          "psdcon(2).psdmats{2}. It should be symmetric."),
      psd(
          "psdcon", "indices", [] { return text("1"); },
          "psdcon.indices. It should be double."),
      psd("psdcon", "rhs", twoNumbers, "psdcon.rhs. It should be scalar."),
      psd(
          "psdcon", "rhs", [] { return text("r"); },
          "psdcon.rhs. It should be double."),
      psd(
          "psdcon", "lhsorsense", [] { return text("<="); },
          "psdcon.lhsorsense. It should be scalar."),
      psd(
          "psdcon", "lhsorsense", [] { return testhost::logicalScalar(true); },
          "psdcon.lhsorsense. It should be double or char."),
      psd(
          "psdcon", "linearterm",
          [] {
            return sparse(2, 3, {{0, 0, 1}});
          },
          "psdcon(2).linearterm. It should be 1*n sparse."),
      psd(
          "psdcon", "linearterm", [] { return text("l"); },
          "psdcon.linearterm. It should be sparse."),
      psd(
          "psdcon", "name", [] { return scalar(1); },
          "psdcon.name. It should be char array."),
      psd("psdcon", "psdmat", symmetric,
          "psdcon(2).psdmat. Invalid attribute."),
  });
}

// 2^31 positions without a stored entry: cheap to hold, too large to copy.
mxArray *wide() { return sparse(65536, 32768, {}); }
mxArray *complexScalar() { return testhost::complexRow({1}, {2}); }

ErrorCase guard(const char *field, std::function<mxArray *()> value,
                const char *message) {
  return {[=] { return unit::Fields{{field, value()}}; }, message};
}

ErrorCase subfield(const char *field, const char *name,
                   std::function<mxArray *()> value, const char *message) {
  return {[=] {
            return unit::Fields{{field, structure({{name, value()}})}};
          },
          message};
}

// What every reader shares: a value copied dense is sized by its rows times
// columns, sparse or not; a struct-array field gets a record per element;
// scalars must be real.
TEST(ReaderErrors, SizeAndRealGuards) {
  std::vector<ErrorCase> cases;
  for (const char *field :
       {"obj", "rhs", "lb", "ub", "start", "lhsorsense", "colbasis", "quadcon",
        "genconind", "psdvar", "psdcon"}) {
    cases.push_back({[=] {
                       return unit::Fields{{field, wide()}};
                     },
                     std::string(field) + ". It is too large."});
  }
  for (const char *name : {"Qrow", "Qcol", "Qval"}) {
    std::string message =
        std::string("quadcon(1).") + name + ". It is too large.";
    cases.push_back(
        {[=] {
           return unit::Fields{{"quadcon", structure({{name, wide()}})}};
         },
         message});
  }
  std::vector<ErrorCase> more = {
      subfield("psdcon", "indices", wide, "psdcon.indices. It is too large."),
      // 2^32 positions: a 32-bit count would wrap to 0.
      {[] {
         return unit::Fields{
             {"sos", structure({{"index", row({1})},
                                {"weight", sparse(65536, 65536, {})}})}};
       },
       "sos.weight 1. It is too large."},
      {[] {
         return unit::Fields{{"sos", structure({{"index", complexScalar()},
                                                {"weight", row({1})}})}};
       },
       "sos.index 1. It should be real."},
      subfield("sos", "type", complexScalar, "sos(1).type. It should be real."),
      guard("objcon", complexScalar, "objcon. It should be real."),
      guard(
          "rhs", [] { return testhost::complexRow({1}, {2}); },
          "rhs. It should be real."),
      subfield("quadcon", "rhs", complexScalar,
               "quadcon(1).rhs. It should be real."),
      subfield("quadcon", "lhsorsense", complexScalar,
               "quadcon(1).lhsorsense. It should be real."),
      subfield("genconind", "binvar", complexScalar,
               "genconind(1).binvar. It should be real."),
      subfield("genconind", "binval", complexScalar,
               "genconind(1).binval. It should be real."),
      subfield("genconind", "lhs", complexScalar,
               "genconind(1).lhs. It should be real."),
      subfield("psdcon", "rhs", complexScalar,
               "psdcon.rhs. It should be real."),
      subfield("psdcon", "lhsorsense", complexScalar,
               "psdcon.lhsorsense. It should be real."),
  };
  cases.insert(cases.end(), more.begin(), more.end());
  expectErrors(cases);
}

}  // namespace
