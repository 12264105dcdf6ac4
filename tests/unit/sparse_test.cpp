// The sparse conversions against plain references, on many small random
// matrices: host arrays to records and back, the upper triangle, the
// symmetry test, the triplet sort and the assembly of triplets into a host
// array. Any faster conversion must give the same outputs, entry for entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <random>
#include <tuple>
#include <vector>

#include "sparse/sparse_matrix.h"
#include "testhost.h"

namespace {

using testhost::Array;

struct Triplet {
  int32_t row;
  int32_t col;
  double value;
  auto key() const { return std::tie(row, col); }
  bool operator==(const Triplet &o) const {
    return key() == o.key() && std::memcmp(&value, &o.value, sizeof value) == 0;
  }
};
using Triplets = std::vector<Triplet>;

// A host array's entries in storage order: column after column.
Triplets entriesOf(const mxArray *array) {
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

Triplets tripletsOf(const CooMatrix &coo) {
  Triplets out;
  for (int32_t k = 0; k < coo.nnz; ++k) {
    out.push_back({coo.rowIdx[k], coo.colIdx[k], coo.vals[k]});
  }
  return out;
}

// A random n x m host array, symmetric when asked, with spare storage. Sides
// up to 90 span the symmetry test's column blocks, dense ones and sparse.
struct RandomMatrix {
  size_t rows, cols;
  Triplets entries;
  Array array;
};

RandomMatrix randomMatrix(std::mt19937 &rng, bool symmetric, size_t sides) {
  size_t rows = rng() % sides, cols = symmetric ? rows : rng() % sides;
  double density = std::vector<double>{0, 0.25, 0.5, 0.75, 1, 0.005}[rng() % 6];
  std::vector<testhost::Entry> entries;
  for (size_t j = 0; j < cols; ++j) {
    for (size_t i = symmetric ? j : 0; i < rows; ++i) {
      if (std::uniform_real_distribution<>(0, 1)(rng) >= density) continue;
      // Mostly ones, so that only the positions tell a mirror apart, and
      // some NaN, which is its own mirror only on the diagonal.
      double value = rng() % 2 ? 1.0 : double(int(rng() % 8) - 3);
      if (value == 4) value = std::nan("");
      entries.push_back({i, j, value});
      if (symmetric && i != j) entries.push_back({j, i, value});
    }
  }
  if (symmetric && !entries.empty() && rng() % 3 == 0) {
    // One entry off by the last bit, without its mirror, or moved to a free
    // row of its column (which keeps every column's count).
    testhost::Entry &e = entries[rng() % entries.size()];
    size_t row = rng() % rows, defect = rng() % 3;
    if (defect == 0) {
      e.value = std::nextafter(e.value, 10.0);
    } else if (defect == 1) {
      entries.erase(entries.begin() + long(&e - entries.data()));
    } else if (std::none_of(entries.begin(), entries.end(), [&](auto &o) {
                 return o.row == row && o.col == e.col;
               })) {
      e.row = row;
    }
  }
  Array array(
      testhost::sparse(rows, cols, entries, entries.size() + rng() % 3));
  return {rows, cols, entriesOf(array.get()), std::move(array)};
}

bool referenceSymmetric(const RandomMatrix &m) {
  if (m.rows != m.cols) return false;
  std::map<std::pair<int32_t, int32_t>, double> at;
  for (const Triplet &t : m.entries) at[{t.row, t.col}] = t.value;
  for (const Triplet &t : m.entries) {
    if (t.row == t.col) continue;
    auto mirror = at.find({t.col, t.row});
    if (mirror == at.end() || mirror->second != t.value) return false;
  }
  return true;
}

template <typename Conversion, typename Record>
auto convert(Conversion conversion, const mxArray *array, Record *out) {
  return conversion(int32_t(mxGetNzmax(array)), int32_t(mxGetM(array)),
                    int32_t(mxGetN(array)), mxGetJc(array), mxGetIr(array),
                    mxGetDoubles(array), out);
}

TEST(Sparse, HostConversionsMatchTheReference) {
  std::mt19937 rng(7);
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE(round);
    size_t before = testhost::heldBlocks();
    RandomMatrix m = randomMatrix(rng, round % 2 == 0, round % 5 == 4 ? 90 : 6);
    const mxArray *host = m.array.get();
    CscMatrix csc;
    convert(matlabSparse2csc, host, &csc);
    ASSERT_EQ(csc.nnz, int32_t(m.entries.size()));
    EXPECT_EQ(csc.numRows, int32_t(m.rows));
    EXPECT_EQ(csc.numCols, int32_t(m.cols));
    for (size_t j = 0; j < m.cols; ++j) {
      EXPECT_EQ(csc.colBegin[j], int32_t(mxGetJc(host)[j]));
      EXPECT_EQ(csc.colCount[j],
                int32_t(mxGetJc(host)[j + 1] - mxGetJc(host)[j]));
    }
    Array back(csc2MatlabSparse(&csc));
    EXPECT_EQ(mxGetM(back.get()), m.rows);
    EXPECT_EQ(entriesOf(back.get()), m.entries);
    CooMatrix coo;
    convert(matlabSparse2coo, host, &coo);
    EXPECT_EQ(tripletsOf(coo), m.entries);
    bool symmetric = referenceSymmetric(m);
    CooMatrix upper;
    EXPECT_EQ(convert(matlabSparse2cooSymmetric, host, &upper), symmetric);
    EXPECT_TRUE(symmetric || upper.vals == nullptr);
    if (symmetric) {
      Triplets kept;
      std::copy_if(m.entries.begin(), m.entries.end(), std::back_inserter(kept),
                   [](const Triplet &t) { return t.row <= t.col; });
      EXPECT_EQ(tripletsOf(upper), kept);
      free_coo(&upper);
      free_coo(&upper);
    }
    // A second release finds nothing left; records without entries keep
    // their arrays for the host to reclaim.
    for (int pass = 0; pass < 2; ++pass) {
      free_csc(&csc);
      free_coo(&coo);
    }
    if (!m.entries.empty()) {
      EXPECT_EQ(testhost::heldBlocks(), before);
    }
    testhost::reclaimAll();
  }
  EXPECT_TRUE(testhost::takeFaults().empty());
}

// Triplets of an n x n matrix, each position once, in random order: sorted
// by row then column, and assembled into the host array of their transpose.
TEST(Sparse, SortAndAssemblyMatchTheReference) {
  std::mt19937 rng(11);
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE(round);
    int32_t n = 1 + int32_t(rng() % 7);
    Triplets triplets;
    for (int32_t f = 0; f < n * n; ++f) {
      if (rng() % 3 == 0) triplets.push_back({f / n, f % n, double(f + 1)});
    }
    bool shuffled = round % 4 != 0;
    if (shuffled) std::shuffle(triplets.begin(), triplets.end(), rng);
    std::vector<int32_t> rows, cols;
    std::vector<double> vals;
    for (const Triplet &t : triplets) {
      rows.push_back(t.row);
      cols.push_back(t.col);
      vals.push_back(t.value);
    }
    CooMatrix coo{
        int32_t(triplets.size()), n, n, rows.data(), cols.data(), vals.data()};
    Triplets sorted = triplets;
    std::sort(
        sorted.begin(), sorted.end(),
        [](const Triplet &a, const Triplet &b) { return a.key() < b.key(); });
    Triplets transposed;
    for (const Triplet &t : sorted)
      transposed.push_back({t.col, t.row, t.value});
    // As flat indices in the given order, they are assembled in one pass
    // when they ascend inside the matrix, to the same array.
    std::vector<int32_t> flats;
    for (const Triplet &t : triplets) flats.push_back(t.row * n + t.col);
    if (round % 8 == 0 && !flats.empty()) flats.back() = n * n;
    Array direct(mxCreateSparse(n, n, flats.size(), mxREAL));
    std::copy(vals.begin(), vals.end(), mxGetDoubles(direct.get()));
    std::copy(flats.begin(), flats.end(), flatIndexRoom(direct.get()));
    bool ascending = std::is_sorted(flats.begin(), flats.end()) &&
                     (flats.empty() || flats.back() < n * n);
    EXPECT_EQ(sortedFlat2MatlabSparse(int32_t(flats.size()), direct.get()),
              ascending);
    if (ascending) {
      EXPECT_EQ(entriesOf(direct.get()), transposed);
    }
    size_t before = testhost::heldBlocks();
    Array host(coo2MatlabSparse(&coo, "PSD"));
    EXPECT_EQ(testhost::heldBlocks(), before);
    EXPECT_EQ(tripletsOf(coo), sorted);
    EXPECT_EQ(mxGetN(host.get()), size_t(n));
    EXPECT_EQ(entriesOf(host.get()), transposed);
  }
  // Input already in order stays as it was, ties included.
  std::vector<int32_t> rows{0, 0, 0, 1}, cols{0, 0, 1, 0};
  std::vector<double> vals{9, 8, 6, 4};
  CooMatrix ties{4, 2, 2, rows.data(), cols.data(), vals.data()};
  std::vector<int32_t> flats{0, 0, 1, 2};
  Array direct(mxCreateSparse(2, 2, 4, mxREAL));
  std::copy(vals.begin(), vals.end(), mxGetDoubles(direct.get()));
  std::copy(flats.begin(), flats.end(), flatIndexRoom(direct.get()));
  ASSERT_TRUE(sortedFlat2MatlabSparse(4, direct.get()));
  sort(&ties);
  EXPECT_EQ(vals, (std::vector<double>{9, 8, 6, 4}));
  EXPECT_EQ(entriesOf(direct.get()),
            entriesOf(Array(coo2MatlabSparse(&ties, "PSD")).get()));
}

}  // namespace
