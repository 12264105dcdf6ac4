// A sense with an infinite right-hand side that leaves a row no satisfiable
// side ("=" at ±infinity, "<" at -infinity, ">" at +infinity) is refused
// where the row is made; the same senses facing the other way are free rows.
#include "tests/libkorva/model_builders.h"
#include "tests/libkorva/solver_fixture.h"

namespace {

constexpr double inf = KVA_INFINITY;

struct SideCase {
  char sense;
  double rhs;
  int code;
};

const SideCase sideCases[] = {
    {'=', inf, KVA_ERROR_INVALID_ARGUMENT},
    {'=', -inf, KVA_ERROR_INVALID_ARGUMENT},
    {'=', 1e30, KVA_ERROR_INVALID_ARGUMENT},
    {'<', -inf, KVA_ERROR_INVALID_ARGUMENT},
    {'>', inf, KVA_ERROR_INVALID_ARGUMENT},
    {'<', inf, KVA_OK},
    {'>', -inf, KVA_OK},
    {'=', 1e19, KVA_OK},
};

class LibkorvaInfiniteSidesTest : public LibkorvaTest {};

TEST_F(LibkorvaInfiniteSidesTest, LinearRows) {
  for (const SideCase &c : sideCases) {
    KVAmodel row = nullptr;
    double obj[] = {1};
    double rhs[] = {c.rhs};
    int begin[] = {0};
    int count[] = {1};
    int rowIdx[] = {0};
    double vals[] = {1};
    double lb[] = {0};
    double ub[] = {1};
    EXPECT_EQ(
        KVAloadmodel(env, &row, "r", 1, 1, 1, 0, obj, &c.sense, rhs, begin,
                     count, rowIdx, vals, lb, ub, nullptr, nullptr, nullptr),
        c.code)
        << c.sense << " " << c.rhs;
    if (row != nullptr) {
      EXPECT_EQ(KVAoptimize(row), KVA_OK);
      KVAfreemodel(row);
    }
  }
}

TEST_F(LibkorvaInfiniteSidesTest, QuadraticAndIndicatorConstraints) {
  for (const SideCase &c : sideCases) {
    KVAmodel m = load({{1, 1}, {}, "", {}, {}, {}, "BC"});
    EXPECT_EQ(addQuadConstraint(m, {{1}, {1}}, {{0}, {0}, {1}}, c.sense, c.rhs),
              c.code)
        << "quadratic " << c.sense << " " << c.rhs;
    EXPECT_EQ(addIndicator(m, 0, 1, {{1}, {1}}, c.sense, c.rhs), c.code)
        << "indicator " << c.sense << " " << c.rhs;
    KVAfreemodel(m);
    model = nullptr;
  }
}

}  // namespace
