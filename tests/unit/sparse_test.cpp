// The sparse records: conversions from and back to host sparse arrays, the
// symmetry test, release, the triplet sort and the row-major assembly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "sparse/sparse_matrix.h"
#include "testhost.h"

namespace {

using testhost::Array;

struct Triplet {
  int32_t row;
  int32_t col;
  double value;
  auto key() const { return std::tie(row, col, value); }
  bool operator==(const Triplet &other) const { return key() == other.key(); }
  bool operator<(const Triplet &other) const { return key() < other.key(); }
};
using Triplets = std::vector<Triplet>;

std::ostream &operator<<(std::ostream &out, const Triplet &t) {
  return out << "(" << t.row << "," << t.col << "," << t.value << ")";
}

mxArray *hostOf(size_t rows, size_t cols, const Triplets &triplets,
                size_t nzmax = 0, bool logical = false) {
  std::vector<testhost::Entry> entries;
  for (const Triplet &t : triplets) {
    entries.push_back({size_t(t.row), size_t(t.col), t.value});
  }
  return logical ? testhost::sparseLogical(rows, cols, entries)
                 : testhost::sparse(rows, cols, entries, nzmax);
}

// Stored entries in storage order, of a record or of a host array.
Triplets tripletsOf(const CooMatrix &coo) {
  Triplets out;
  for (int32_t k = 0; k < coo.nnz; ++k) {
    out.push_back({coo.rowIdx[k], coo.colIdx[k], coo.vals[k]});
  }
  return out;
}

Triplets tripletsOf(const CscMatrix &csc) {
  Triplets out;
  for (int32_t j = 0; j < csc.numCols; ++j) {
    EXPECT_EQ(csc.colCount[j], csc.colBegin[j + 1] - csc.colBegin[j]);
    for (int32_t k = csc.colBegin[j]; k < csc.colBegin[j + 1]; ++k) {
      out.push_back({csc.rowIdx[k], j, csc.vals[k]});
    }
  }
  return out;
}

Triplets tripletsOf(const mxArray *array) {
  EXPECT_TRUE(mxIsSparse(array) && mxIsDouble(array));
  const mwIndex *jc = mxGetJc(array);
  Triplets out;
  for (size_t j = 0; j < mxGetN(array); ++j) {
    for (mwIndex k = jc[j]; k < jc[j + 1]; ++k) {
      out.push_back(
          {int32_t(mxGetIr(array)[k]), int32_t(j), mxGetDoubles(array)[k]});
    }
  }
  return out;
}

// Calls a conversion with the six items the readers take from a host array.
template <typename Record>
void convert(void (*conversion)(int32_t, int32_t, int32_t, const mwIndex *,
                                const mwIndex *, const double *, Record *),
             const mxArray *array, Record *out) {
  conversion(int32_t(mxGetNzmax(array)), int32_t(mxGetM(array)),
             int32_t(mxGetN(array)), mxGetJc(array), mxGetIr(array),
             mxGetDoubles(array), out);
}

TEST(Sparse, HostArraysConvertToRecordsAndBackAndRelease) {
  testhost::takeFaults();
  const Triplets three = {{0, 0, 1.5}, {2, 0, -2}, {1, 1, 3}};
  struct Case {
    size_t rows, cols;
    Triplets triplets;
    size_t nzmax;
  };
  const Case cases[] = {{2, 3, {}, 4}, {3, 2, three, 0}, {3, 2, three, 7}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.nzmax);
    size_t before = testhost::heldBlocks();
    Array host(hostOf(c.rows, c.cols, c.triplets, c.nzmax));
    CscMatrix csc;
    convert(matlabSparse2csc, host.get(), &csc);
    EXPECT_EQ(csc.nnz, int32_t(c.triplets.size()));
    EXPECT_EQ(csc.numRows, int32_t(c.rows));
    EXPECT_EQ(csc.colBegin[c.cols], csc.nnz);
    EXPECT_EQ(tripletsOf(csc), c.triplets);
    CooMatrix coo;
    convert(matlabSparse2coo, host.get(), &coo);
    EXPECT_EQ(coo.numRows, int32_t(c.rows));
    EXPECT_EQ(coo.numCols, int32_t(c.cols));
    EXPECT_EQ(tripletsOf(coo), c.triplets);

    Array back(csc2MatlabSparse(&csc));
    EXPECT_EQ(mxGetM(back.get()), c.rows);
    EXPECT_EQ(mxGetN(back.get()), c.cols);
    EXPECT_EQ(tripletsOf(back.get()), c.triplets);
    // The second release must find nothing left to free. Records without
    // entries keep their seven arrays for the host to reclaim.
    for (int pass = 0; pass < 2; ++pass) {
      free_csc(&csc);
      free_coo(&coo);
    }
    EXPECT_EQ(testhost::heldBlocks(), before + (c.triplets.empty() ? 7 : 0));
  }
  EXPECT_TRUE(testhost::takeFaults().empty());
  testhost::reclaimAll();
}

TEST(Sparse, SymmetricConversionKeepsUpperTriangle) {
  const std::pair<Triplets, Triplets> cases[] = {
      {{{0, 0, 1}, {0, 1, 2}, {1, 0, 2}, {1, 1, 3}},
       {{0, 0, 1}, {0, 1, 2}, {1, 1, 3}}},
      {{{2, 0, 4}, {0, 2, 4}, {1, 1, 5}}, {{1, 1, 5}, {0, 2, 4}}},
  };
  for (const auto &[full, kept] : cases) {
    Array host(hostOf(3, 3, full));
    CooMatrix coo;
    convert(matlabSparse2cooSymmetric, host.get(), &coo);
    EXPECT_EQ(coo.numRows, 3);
    EXPECT_EQ(tripletsOf(coo), kept);
    free_coo(&coo);
  }
}

TEST(Sparse, SymmetryIsExactAndNeedsEveryMirror) {
  const double nan = std::nan("");
  Triplets full;
  for (int32_t k = 0; k < 16; ++k) {
    full.push_back({k % 4, k / 4, double((k % 4) * (k / 4))});
  }
  struct Case {
    std::string name;
    size_t rows, cols;
    Triplets triplets;
    bool logical;
    bool symmetric;
  };
  const Case cases[] = {
      {"2x3", 2, 3, {}, false, false},
      {"0x0", 0, 0, {}, false, true},
      {"off by 1e-7", 2, 2, {{0, 1, 2}, {1, 0, 2.0000001}}, false, false},
      {"diagonal only", 3, 3, {{0, 0, 1}, {1, 1, 2}, {2, 2, 3}}, false, true},
      {"mirror column empty", 2, 2, {{1, 0, 1}}, false, false},
      {"mirrored NaN", 2, 2, {{1, 0, nan}, {0, 1, nan}}, false, false},
      {"full", 4, 4, full, false, true},
      {"mirror missing between rows",
       4,
       4,
       {{2, 0, 5}, {1, 2, 1}, {2, 1, 1}, {3, 2, 1}, {2, 3, 1}},
       false,
       false},
      {"logical", 3, 3, {{0, 2, 1}, {2, 0, 1}}, true, true},
      {"logical without mirror", 3, 3, {{0, 2, 1}}, true, false},
  };
  for (const Case &c : cases) {
    Array array(hostOf(c.rows, c.cols, c.triplets, 0, c.logical));
    EXPECT_EQ(isSymmetric(array.get()), c.symmetric) << c.name;
  }
}

// A triplet record over arrays it keeps in vectors.
struct TripletStore {
  TripletStore(int32_t n, const Triplets &triplets) {
    for (const Triplet &t : triplets) {
      rows.push_back(t.row);
      cols.push_back(t.col);
      vals.push_back(t.value);
    }
    coo = {
        int32_t(triplets.size()), n, n, rows.data(), cols.data(), vals.data()};
  }
  std::vector<int32_t> rows, cols;
  std::vector<double> vals;
  CooMatrix coo;
};

TEST(Sparse, SortOrdersByRowThenColumn) {
  Triplets scrambled;
  uint32_t state = 12345;
  for (int k = 0; k < 300; ++k) {
    state = state * 1103515245u + 12345u;
    int32_t row = int32_t((state >> 8) % 17), col = int32_t((state >> 16) % 17);
    scrambled.push_back({row, col, row * 100.0 + col});
  }
  const Triplets sortedWithTies = {
      {0, 0, 9}, {0, 0, 8}, {0, 1, 6}, {0, 1, 5}, {1, 0, 4}};
  const Triplets cases[] = {
      {},
      {{2, 2, 1}, {2, 1, 2}, {1, 0, 3}, {0, 2, 4}, {0, 0, 5}},
      {{0, 1, 5}, {1, 0, 5}, {0, 0, 2}, {1, 1, 7}},
      scrambled,  // many repeated keys
  };
  for (const Triplets &input : cases) {
    Triplets expected = input;
    std::sort(expected.begin(), expected.end());
    TripletStore store(17, input);
    sort(&store.coo);
    EXPECT_EQ(tripletsOf(store.coo), expected);
  }
  // Input already in order stays exactly as it was, ties included.
  TripletStore store(2, sortedWithTies);
  sort(&store.coo);
  EXPECT_EQ(tripletsOf(store.coo), sortedWithTies);
}

TEST(Sparse, TripletsBecomeTransposedHostArray) {
  struct Case {
    int32_t n;
    Triplets triplets;
    Triplets hostEntries;
  };
  const Case cases[] = {
      {3, {}, {}},
      {3, {{0, 2, 9}}, {{2, 0, 9}}},
      {2,
       {{0, 1, 5}, {1, 0, 5}, {0, 0, 2}, {1, 1, 7}},
       {{0, 0, 2}, {1, 0, 5}, {0, 1, 5}, {1, 1, 7}}},
      {2, {{0, 1, 4}, {0, 0, 1}}, {{0, 0, 1}, {1, 0, 4}}},
  };
  for (const Case &c : cases) {
    TripletStore store(c.n, c.triplets);
    size_t before = testhost::heldBlocks();
    Array host(coo2MatlabSparse(&store.coo, "PSD"));
    EXPECT_EQ(testhost::heldBlocks(), before);
    EXPECT_EQ(mxGetM(host.get()), size_t(c.n));
    EXPECT_EQ(mxGetN(host.get()), size_t(c.n));
    EXPECT_EQ(tripletsOf(host.get()), c.hostEntries);
  }
}

}  // namespace
