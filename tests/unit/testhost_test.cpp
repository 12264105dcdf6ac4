// The in-process host's meanings that the module's tests rely on: bounded
// string copies, errors that leave by throwing, formatted printing, tracked
// allocation, builder shapes and sparse storage order, faults for misuse, and
// the scripted Ctrl+C.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/host.h"
#include "testhost.h"

namespace {

using testhost::Array;

class TestHost : public ::testing::Test {
 protected:
  void SetUp() override {
    testhost::reclaimAll();
    testhost::takePrinted();
    testhost::takeWarnings();
    testhost::takeFaults();
  }
  void TearDown() override { testhost::reclaimAll(); }
};

std::vector<size_t> indices(const mwIndex *values, size_t count) {
  return std::vector<size_t>(values, values + count);
}

TEST_F(TestHost, GetStringStopsAtItsBufferAndReportsTruncation) {
  struct Case {
    std::function<mxArray *()> make;
    mwSize length;
    std::string written;  // "#" marks an untouched byte
    int returned;
  };
  const Case cases[] = {
      {[] { return testhost::text("abc"); }, 4, "abc", 0},
      {[] { return testhost::text("abc"); }, 8, "abc", 0},
      {[] { return testhost::text("abc"); }, 3, "ab", 1},
      {[] { return testhost::text("abc"); }, 1, "", 1},
      {[] { return testhost::text("abc"); }, 0, "#", 1},
      {[] { return testhost::text(""); }, 1, "", 0},
      {[] { return testhost::scalar(7); }, 4, "", 1},
  };
  for (const Case &c : cases) {
    Array value(c.make());
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    int returned = mxGetString(value.get(), buffer, c.length);
    SCOPED_TRACE(c.written + " in " + std::to_string(c.length));
    EXPECT_EQ(returned, c.returned);
    if (c.length > 0) {
      EXPECT_EQ(std::string(buffer), c.written);
    }
    for (size_t k = c.length; k < sizeof buffer; ++k) {
      EXPECT_EQ(buffer[k], '#') << "byte " << k << " written";
    }
  }
  EXPECT_TRUE(testhost::takeFaults().empty());
}

TEST_F(TestHost, ErrorCallsThrowIdentifierAndText) {
  try {
    mexErrMsgTxt("no format %d here");
    FAIL() << "mexErrMsgTxt returned";
  } catch (const testhost::HostError &error) {
    EXPECT_EQ(error.identifier, "");
    EXPECT_EQ(error.text, "no format %d here");
  }
  try {
    mexErrMsgIdAndTxt("korva:test", "%s at %d, 100%%", "stop", 3);
    FAIL() << "mexErrMsgIdAndTxt returned";
  } catch (const testhost::HostError &error) {
    EXPECT_EQ(error.identifier, "korva:test");
    EXPECT_EQ(error.text, "stop at 3, 100%");
    EXPECT_STREQ(error.what(), "stop at 3, 100%");
  }
}

TEST_F(TestHost, PrintfFormatsWhileWarningsKeepTheirText) {
  EXPECT_EQ(mexPrintf("50%% done\n"), 9);
  mexPrintf("%d of %s\n", 2, "three");
  std::string longLine(5000, 'x');
  mexPrintf("%s", longLine.c_str());
  EXPECT_EQ(testhost::takePrinted(), "50% done\n2 of three\n" + longLine);
  EXPECT_EQ(testhost::takePrinted(), "");

  mexWarnMsgTxt("50%% kept");
  mexWarnMsgTxt("second");
  EXPECT_EQ(testhost::takeWarnings(),
            (std::vector<std::string>{"50%% kept", "second"}));
}

TEST_F(TestHost, AllocationsAreCountedAndUnknownFreesAreFaults) {
  void *first = mxMalloc(24);
  double *zeros = static_cast<double *>(mxCalloc(3, sizeof(double)));
  void *empty = mxMalloc(0);
  EXPECT_EQ(testhost::heldBlocks(), 3u);
  EXPECT_EQ(testhost::heldBytes(), 48u);
  EXPECT_EQ(zeros[0] + zeros[1] + zeros[2], 0.0);

  mxFree(first);
  mxFree(nullptr);
  EXPECT_EQ(testhost::heldBlocks(), 2u);
  EXPECT_TRUE(testhost::takeFaults().empty());

  Array value(testhost::row({1, 2}));
  mxFree(first);
  mxFree(mxGetDoubles(value.get()));
  EXPECT_EQ(testhost::takeFaults(),
            (std::vector<std::string>{"mxFree of unknown pointer",
                                      "mxFree of unknown pointer"}));
  EXPECT_EQ(testhost::heldBlocks(), 2u);

  mxFree(empty);
  testhost::reclaimAll();
  EXPECT_EQ(testhost::heldBlocks(), 0u);
  EXPECT_EQ(testhost::heldBytes(), 0u);
}

TEST_F(TestHost, SparseStorageIsColumnMajorWithRoomForOneEntry) {
  Array built(
      testhost::sparse(3, 3, {{2, 2, 5}, {1, 0, 2}, {0, 2, 4}, {0, 0, 1}}));
  EXPECT_EQ(mxGetNzmax(built.get()), 4u);
  EXPECT_EQ(indices(mxGetJc(built.get()), 4),
            (std::vector<size_t>{0, 2, 2, 4}));
  EXPECT_EQ(indices(mxGetIr(built.get()), 4),
            (std::vector<size_t>{0, 1, 0, 2}));
  const double *values = mxGetDoubles(built.get());
  EXPECT_EQ(std::vector<double>(values, values + 4),
            (std::vector<double>{1, 2, 4, 5}));
  EXPECT_EQ(testhost::doublesOf(built.get()),
            (std::vector<double>{1, 2, 0, 0, 0, 0, 4, 0, 5}));

  Array roomy(testhost::sparse(2, 2, {{1, 1, 3}}, 5));
  EXPECT_EQ(mxGetNzmax(roomy.get()), 5u);
  EXPECT_EQ(indices(mxGetJc(roomy.get()), 3), (std::vector<size_t>{0, 0, 1}));

  Array none(testhost::sparse(2, 3, {}));
  Array created(mxCreateSparse(2, 3, 0, mxREAL));
  for (const mxArray *empty : {none.get(), created.get()}) {
    EXPECT_EQ(mxGetNzmax(empty), 1u);
    EXPECT_EQ(indices(mxGetJc(empty), 4), (std::vector<size_t>(4, 0)));
    EXPECT_EQ(mxGetScalar(empty), 0.0);
  }

  EXPECT_THROW(testhost::sparse(2, 2, {{0, 1, 1}, {0, 1, 2}}),
               std::invalid_argument);
  EXPECT_THROW(testhost::sparse(2, 2, {{2, 0, 1}}), std::invalid_argument);
  EXPECT_TRUE(testhost::takeFaults().empty());
}

TEST_F(TestHost, MisuseGivesNoValueAndARecordedFault) {
  Array words(testhost::text("ab"));
  Array complexValue(testhost::complexRow({1}, {2}));
  Array flag(testhost::logicalScalar(true));
  Array record(testhost::structArray(2, {"a"}));
  struct Case {
    const char *what;
    std::function<const void *()> use;
  };
  const Case cases[] = {
      {"doubles of text", [&] { return mxGetDoubles(words.get()); }},
      {"doubles of complex", [&] { return mxGetDoubles(complexValue.get()); }},
      {"logicals of text", [&] { return mxGetLogicals(words.get()); }},
      {"chars of logical", [&] { return mxGetChars(flag.get()); }},
      {"field of element 2",
       [&] { return mxGetFieldByNumber(record.get(), 2, 0); }},
      {"field 1", [&] { return mxGetFieldByNumber(record.get(), 0, 1); }},
      {"jc of full", [&] { return mxGetJc(flag.get()); }},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(c.use(), nullptr) << c.what;
    EXPECT_EQ(testhost::takeFaults().size(), 1u) << c.what;
  }
  EXPECT_EQ(mxGetFieldByNumber(record.get(), 1, 0), nullptr);
  EXPECT_TRUE(testhost::takeFaults().empty());
}

TEST_F(TestHost, SettingAFieldReplacesItsValue) {
  Array record(testhost::structArray(1, {"a", "b"}));
  testhost::setField(record.get(), 0, "b", testhost::scalar(1));
  testhost::setField(record.get(), 0, "b", testhost::text("two"));
  EXPECT_EQ(testhost::fieldNamesOf(record.get()),
            (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(testhost::fieldOf(record.get(), "a"), nullptr);
  EXPECT_EQ(testhost::stringOf(testhost::fieldOf(record.get(), "b")), "two");
  EXPECT_THROW(testhost::setField(record.get(), 0, "c", testhost::scalar(3)),
               std::invalid_argument);
}

TEST_F(TestHost, BuildersGiveTheShapeAndClassTheyName) {
  struct Case {
    const char *what;
    std::function<mxArray *()> make;
    mxClassID classId;
    size_t m;
    size_t n;
  };
  const Case cases[] = {
      {"row",
       [] {
         return testhost::row({1, 2, 3});
       },
       mxDOUBLE_CLASS, 1, 3},
      {"column",
       [] {
         return testhost::column({1, 2});
       },
       mxDOUBLE_CLASS, 2, 1},
      {"matrix",
       [] {
         return testhost::matrix(2, 3, {1, 2, 3, 4, 5, 6});
       },
       mxDOUBLE_CLASS, 2, 3},
      {"empty", [] { return testhost::emptyDouble(); }, mxDOUBLE_CLASS, 0, 0},
      {"text", [] { return testhost::text("abcd"); }, mxCHAR_CLASS, 1, 4},
      {"int32", [] { return testhost::int32Scalar(-2); }, mxINT32_CLASS, 1, 1},
      {"cell",
       [] {
         return testhost::cell({nullptr, nullptr});
       },
       mxCELL_CLASS, 1, 2},
      {"no elements", [] { return testhost::structArray(0, {"a"}); },
       mxSTRUCT_CLASS, 1, 0},
      {"no dimensions",
       [] { return mxCreateStructArray(0, nullptr, 0, nullptr); },
       mxSTRUCT_CLASS, 1, 1},
  };
  for (const Case &c : cases) {
    Array value(c.make());
    EXPECT_EQ(mxGetClassID(value.get()), c.classId) << c.what;
    EXPECT_EQ(mxGetM(value.get()), c.m) << c.what;
    EXPECT_EQ(mxGetN(value.get()), c.n) << c.what;
    EXPECT_EQ(mxIsEmpty(value.get()), c.m * c.n == 0) << c.what;
  }
  Array pairs(testhost::complexRow({1, 3}, {2, 4}));
  EXPECT_TRUE(mxIsComplex(pairs.get()));
  EXPECT_EQ(mxGetScalar(pairs.get()), 1.0);
  EXPECT_EQ(
      testhost::doublesOf(Array(testhost::matrix(2, 2, {1, 2, 3, 4})).get()),
      (std::vector<double>{1, 2, 3, 4}));
  EXPECT_TRUE(testhost::takeFaults().empty());
}

}  // namespace
