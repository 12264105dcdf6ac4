// Reading the model structure into the record: what each field stores, and
// one table of errors per family of readers. Each error runs a whole call
// whose earlier fields are already stored, so it must also release a partly
// filled record and leave nothing behind.
#include <algorithm>
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
  // Records without entries, released all the same, as is the double copy
  // of a logical linear term without columns.
  read(structure(
      {{"A", sparse(2, 3, {})},
       {"Q", sparse(0, 0, {})},
       {"quadcon", structure({{"Qc", sparse(2, 2, {})},
                              {"q", testhost::sparseLogical(1, 0, {})}})},
       {"psdvar", structure({{"obj", sparse(2, 2, {})}})}}));
  EXPECT_EQ(values(args.A.colCount, 3), (Ints{0, 0, 0}));
}

// What a solve's answer cannot show: numbers truncated toward zero, a name
// cut to 127 characters, a matrix's rows replaced by a later row list,
// triplet lists cut to the shortest, unchecked semidefinite indices, and a
// warning for each of the last two and for an unset indicator field.
TEST_F(ReadRecord, StoresStructArrayFieldsAsGiven) {
  mxArray *quadcon =
      testhost::structArray({{{"Qc", sparse(2, 2, {{0, 0, 1}, {0, 1, 2}})},
                              {"name", text(std::string(130, 'n'))},
                              {"lhsorsense", scalar(1)},
                              {"Qrow", row({2, 2})}},
                             {{"Qrow", row({1, 2, 3})},
                              {"Qcol", row({1, 2.9})},
                              {"Qval", row({4, 5, 6})}}});
  mxArray *genconind = testhost::structArray(
      {{{"binval", scalar(1.8)}, {"sense", text(">=")}, {"rhs", scalar(4)}},
       {}});
  read(structure({{"quadcon", quadcon},
                  {"sos", structure({{"type", scalar(1.9)},
                                     {"index", row({3, 1})},
                                     {"weight", row({1, 2})}})},
                  {"genconind", genconind},
                  {"psdcon", structure({{"indices", row({2, 0.5})}})}}));
  const QuadconArgument *q = args.quadcons;
  EXPECT_EQ(values(q[0].Qc.rowIdx, q[0].Qc.nnz), (Ints{1, 1}));
  EXPECT_EQ(values(q[0].Qc.colIdx, q[0].Qc.nnz), (Ints{0, 1}));
  EXPECT_EQ(std::string(q[0].name), std::string(127, 'n'));
  EXPECT_EQ(q[0].hasLhs, 1);
  EXPECT_EQ(values(q[1].Qc.colIdx, q[1].Qc.nnz), (Ints{0, 1}));
  EXPECT_EQ(values(q[1].Qc.vals, q[1].Qc.nnz), (Doubles{4, 5}));
  EXPECT_EQ(values(args.sosTypes, 1), (Ints{1}));
  EXPECT_EQ(values(args.sosIndices, args.numSosEntries), (Ints{2, 0}));
  EXPECT_EQ(args.genconinds[0].binval, 1);
  EXPECT_EQ(args.genconinds[0].sense, '>');
  EXPECT_EQ(args.genconinds[1].rhs, 0);
  EXPECT_EQ(values(args.psdcons[0].indices, 2), (Ints{1, -1}));
  EXPECT_EQ(
      testhost::takeWarnings(),
      (std::vector<std::string>{
          "quadcon.qc. The lengths of the Qrow, Qcol and Qval are not "
          "equal. Select the minimum length from among them.",
          "genconind.binval 2. It is empty!", "genconind.sense 2. It is empty!",
          "genconind.rhs 2. It is empty!"}));
}

// The values of the error tables, by name, so that a case fits a line.
mxArray *make(const std::string &name) {
  if (name == "text") return text("x");
  if (name == "numbers") return row({1, 2});
  if (name == "logical") return testhost::logicalScalar(true);
  if (name == "int32") return testhost::int32Scalar(1);
  if (name == "cell") return cell({text("c"), scalar(1)});
  if (name == "scalar") return scalar(1);
  if (name == "half") return scalar(0.5);
  if (name == "full") return matrix(2, 2, {1, 0, 0, 1});
  if (name == "wide23") return sparse(2, 3, {{0, 0, 1}});
  if (name == "complex") return testhost::complexRow({1}, {2});
  if (name == "sparseComplex") return testhost::sparseComplex(1, 1, {});
  if (name == "empty") return testhost::emptyDouble();
  if (name == "zeroIndex") return row({1, 0.5});
  // A sparse index list's unstored entries are zeros.
  if (name == "gapIndex") return sparse(1, 2, {{0, 1, 2}});
  if (name == "asymmetric") return sparse(2, 2, {{0, 1, 1}, {1, 0, 2}});
  if (name == "symmetric") return sparse(2, 2, {{0, 0, 1}});
  // A logical matrix is read through a double copy the error must release.
  if (name == "cells") {
    return cell(
        {make("symmetric"), testhost::sparseLogical(2, 2, {{0, 1, 1}})});
  }
  if (name == "twoChars") return text("<=");
  if (name == "longText") return text(std::string(128, 'x'));
  // 2^31 and 2^32 positions without an entry: cheap to hold, too large
  // to copy; a 32-bit count of the second wraps to 0.
  if (name == "huge") return sparse(65536, 32768, {});
  if (name == "huger") return sparse(65536, 65536, {});
  if (name == "tall") return sparse(size_t(1) << 31, 0, {});
  ADD_FAILURE() << "no value named " << name;
  return nullptr;
}

// The first element of a struct-array family, one that reads well. Only
// the family's own values are made: the others would leak.
unit::Fields firstElement(const std::string &family) {
  if (family == "quadcon") {
    return {{"Qrow", row({1})},
            {"Qcol", row({1})},
            {"Qval", row({1})},
            {"q", sparse(1, 3, {{0, 2, 1}})},
            {"name", text("q")}};
  }
  if (family == "sos") {
    return {
        {"type", scalar(1)}, {"index", row({1, 2})}, {"weight", row({1, 2})}};
  }
  if (family == "genconind") {
    return {{"a", sparse(1, 3, {{0, 1, 2}})}, {"name", text("g")}};
  }
  if (family == "psdvar")
    return {{"obj", make("symmetric")}, {"name", text("X")}};
  return {{"psdmats", cell({make("symmetric")})},
          {"indices", row({1})},
          {"linearterm", sparse(1, 2, {{0, 1, 3}})},
          {"name", text("c")}};
}

// A model whose `field` of `family` (a top-level field for "model") holds
// the value. In a struct-array family the value goes into the second
// element and the first reads well, so an error must also release it;
// after "!" the value goes into a lone element instead.
mxArray *modelWith(std::string family, const char *field, mxArray *value) {
  bool alone = family.back() == '!';
  if (alone) family.pop_back();
  if (family == "model") {
    unit::Fields model = {{"varnames", cell({text("x"), text("y")})},
                          {"obj", row({1, 1, 1})}};
    return structure(unit::merged(model, {{field, value}}));
  }
  if (alone) {
    return structure({{family, structure({{field, value}})}});
  }
  unit::Fields first = firstElement(family);
  std::vector<std::string> names;
  for (auto &entry : first) names.push_back(entry.first);
  if (std::find(names.begin(), names.end(), field) == names.end()) {
    names.push_back(field);
  }
  mxArray *array = testhost::structArray(2, names);
  for (auto &[name, v] : first) setField(array, 0, name, v);
  // Rows held before the error, their count not yet settled; sets need
  // both lists to reach the second pass.
  if (family == "quadcon" && std::string(field) != "Qrow") {
    setField(array, 1, "Qrow", row({1, 2}));
  }
  if (family == "sos") {
    setField(array, 1, "index", row({1, 2}));
    setField(array, 1, "weight", row({1, 2}));
  }
  setField(array, 1, field, value);
  return structure({{"obj", row({1, 1, 1})}, {family, array}});
}

struct ErrorCase {
  const char *family;
  const char *field;
  const char *value;
  std::string message;
};

// "@" in a message stands for the usual subject: the field, after the
// element's family and number where there is one.
std::string expanded(const ErrorCase &c) {
  std::string family = c.family, subject = c.field;
  if (family != "model") {
    bool alone = family.back() == '!';
    subject = family.substr(0, family.size() - alone) +
              (alone ? "(1)." : "(2).") + subject;
  }
  return c.message[0] == '@' ? subject + c.message.substr(1) : c.message;
}

void expectErrors(const std::vector<ErrorCase> &cases) {
  for (const ErrorCase &c : cases) {
    std::string message = expanded(c);
    SCOPED_TRACE(message);
    testhost::Array model(modelWith(c.family, c.field, make(c.value)));
    testhost::CallResult result = testhost::call({model.get()});
    EXPECT_EQ(result.message, message);
    unit::expectNothingLeft(result);
  }
}

TEST(ReaderErrors, LinearAndTextFields) {
  expectErrors({
      {"model", "A", "numbers", "@. It should be sparse."},
      {"model", "A", "sparseComplex", "@. It should be real."},
      {"model", "rhs", "text", "@. It should be double."},
      {"model", "lhsorsense", "cell", "@. It should be double or char."},
      {"model", "lb", "int32", "@. It should be double."},
      {"model", "ub", "logical", "@. It should be double."},
      {"model", "start", "text", "@. It should be double."},
      {"model", "colbasis", "text", "@. It should be double."},
      {"model", "vtype", "numbers", "@. It should be char array."},
      {"model", "modelname", "scalar", "@. It should be char array."},
      {"model", "modelsense", "scalar", "@. It should be char array."},
      {"model", "modelsense", "longText", "@. too long!"},
      {"model", "objcon", "numbers", "@. It should be scalar."},
      {"model", "objcon", "text", "@. It should be double."},
      {"model", "constrnames", "text", "@. It should be cell!"},
      {"model", "constrnames", "cell", "@. It should be char array."},
      {"model", "Q", "full", "@. It should be sparse."},
      {"model", "Q", "wide23", "@. It should be square!"},
      {"model", "a", "scalar", "@. Unsupported model attribute."},
      {"model", "Obj", "numbers", "@. Unsupported model attribute."},
  });
}

TEST(ReaderErrors, QuadraticConstraints) {
  expectErrors({
      {"quadcon", "Qc", "wide23", "@. It should be square!"},
      {"quadcon", "Qc", "numbers", "@. It should be sparse."},
      {"quadcon", "rhs", "numbers", "@. It should be scalar."},
      {"quadcon", "rhs", "text", "@. It should be double."},
      {"quadcon", "lhsorsense", "twoChars", "@. It should be scalar."},
      {"quadcon", "lhsorsense", "logical", "@. It should be double or char."},
      {"quadcon", "q", "wide23", "@. It should be 1*n sparse."},
      {"quadcon", "q", "text", "@. It should be sparse."},
      {"quadcon", "name", "scalar", "@. It should be char array."},
      {"quadcon", "Qrow", "zeroIndex", "@. Indices start from 1."},
      {"quadcon", "Qcol", "gapIndex", "@. Indices start from 1."},
      {"quadcon", "Qval", "text", "@. It should be double."},
      {"quadcon", "Qr", "numbers", "@. Invalid attribute."},
  });
}

TEST(ReaderErrors, SosSetsAndIndicators) {
  expectErrors({
      {"model", "sos", "numbers", "@. It should be struct!"},
      {"sos", "weight", "empty", "sos.weight 2. It is empty!"},
      {"sos", "index", "scalar", "sos. index_length != weight_length. "},
      {"sos", "index", "text", "sos.index 2. It should be double."},
      {"sos", "weight", "text", "sos.weight 2. It should be double."},
      {"sos", "type", "text", "@. It should be double."},
      {"sos", "index", "zeroIndex", "@. Indices start from 1."},
      // Names are checked before values: the first set already fails.
      {"sos", "priority", "scalar", "sos(1).priority. Invalid attribute."},
      {"genconind", "rhs", "numbers", "@. It should be scalar."},
      {"genconind", "lhs", "text", "@. It should be double."},
      {"genconind", "sense", "scalar", "@. It should be char array."},
      {"genconind", "a", "wide23", "@. It should be 1*n sparse."},
      {"genconind", "a", "text", "@. It should be sparse."},
      {"genconind", "name", "scalar", "@. It should be char array."},
      {"genconind", "binvar", "numbers", "@. It should be scalar."},
      {"genconind", "binvar", "half", "@. Indices start from 1."},
      {"genconind", "binval", "logical", "@. It should be double."},
      {"genconind", "bin", "scalar", "@. Invalid attribute."},
      {"genconind!", "binvar", "empty", "@. It should be scalar."},
  });
}

TEST(ReaderErrors, SemidefiniteParts) {
  expectErrors({
      {"psdvar", "obj", "numbers", "@. It should be sparse."},
      {"psdvar", "obj", "asymmetric", "@. It should be symmetric."},
      {"psdvar", "name", "scalar", "psdvar.name. It should be char array."},
      {"psdvar", "objs", "symmetric", "@. Invalid attribute."},
      {"psdcon", "psdmats", "symmetric", "@. It should be cell!"},
      {"psdcon", "psdmats", "cell",
       "psdcon(2).psdmats{1}. It should be sparse."},
      {"psdcon", "psdmats", "cells",
       "psdcon(2).psdmats{2}. It should be symmetric."},
      {"psdcon", "indices", "text", "psdcon.indices. It should be double."},
      {"psdcon", "rhs", "numbers", "psdcon.rhs. It should be scalar."},
      {"psdcon", "rhs", "text", "psdcon.rhs. It should be double."},
      {"psdcon", "lhsorsense", "twoChars",
       "psdcon.lhsorsense. It should be scalar."},
      {"psdcon", "lhsorsense", "logical",
       "psdcon.lhsorsense. It should be double or char."},
      {"psdcon", "linearterm", "wide23", "@. It should be 1*n sparse."},
      {"psdcon", "linearterm", "text",
       "psdcon.linearterm. It should be sparse."},
      {"psdcon", "name", "scalar", "psdcon.name. It should be char array."},
      {"psdcon", "psdmat", "symmetric", "@. Invalid attribute."},
  });
}

// What every reader shares: a value copied dense is sized by its rows times
// columns, sparse or not; a struct-array field takes a record per element;
// scalars must be real.
TEST(ReaderErrors, SizeAndRealGuards) {
  std::vector<ErrorCase> cases = {
      {"quadcon!", "Qrow", "huge", "@. It is too large."},
      {"quadcon!", "Qcol", "huge", "@. It is too large."},
      {"quadcon!", "Qval", "huge", "@. It is too large."},
      {"psdcon!", "indices", "huge", "psdcon.indices. It is too large."},
      {"sos", "weight", "huger", "sos.weight 2. It is too large."},
      {"sos", "index", "complex", "sos.index 2. It should be real."},
      {"sos!", "type", "complex", "@. It should be real."},
      {"model", "obj", "tall", "@. It is too large."},
      {"model", "objcon", "complex", "@. It should be real."},
      {"model", "rhs", "complex", "@. It should be real."},
      {"quadcon!", "rhs", "complex", "@. It should be real."},
      {"quadcon!", "lhsorsense", "complex", "@. It should be real."},
      {"genconind!", "binvar", "complex", "@. It should be real."},
      {"genconind!", "binval", "complex", "@. It should be real."},
      {"genconind!", "lhs", "complex", "@. It should be real."},
      {"psdcon!", "rhs", "complex", "psdcon.rhs. It should be real."},
      {"psdcon!", "lhsorsense", "complex",
       "psdcon.lhsorsense. It should be real."},
  };
  for (const char *field :
       {"obj", "rhs", "lb", "ub", "start", "lhsorsense", "colbasis", "quadcon",
        "genconind", "psdvar", "psdcon"}) {
    cases.push_back(
        {"model", field, "huge", std::string(field) + ". It is too large."});
  }
  expectErrors(cases);
}

}  // namespace
