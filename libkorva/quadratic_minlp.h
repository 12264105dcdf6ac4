// A model with quadratic objective terms and quadratic constraints as the
// mixed-integer nonlinear program Bonmin (and, without integers, its Ipopt)
// solves: minimise sense * (c'x + quadratic terms) over linear rows and
// quadratic constraints, each with its two sides.
#ifndef LIBKORVA_QUADRATIC_MINLP_H
#define LIBKORVA_QUADRATIC_MINLP_H

#include <BonTMINLP.hpp>
#include <utility>
#include <vector>

#include "libkorva/model_store.h"

class QuadraticMinlp : public Bonmin::TMINLP {
 public:
  // Without the objective, any feasible point is optimal.
  QuadraticMinlp(const ModelStore &store, bool withObjective);

  bool get_nlp_info(Ipopt::Index &n, Ipopt::Index &m, Ipopt::Index &nnzJac,
                    Ipopt::Index &nnzHessian,
                    Ipopt::TNLP::IndexStyleEnum &style) override;
  bool get_variables_types(Ipopt::Index n, VariableType *types) override;
  bool get_variables_linearity(Ipopt::Index n,
                               Ipopt::TNLP::LinearityType *types) override;
  bool get_constraints_linearity(Ipopt::Index m,
                                 Ipopt::TNLP::LinearityType *types) override;
  bool get_bounds_info(Ipopt::Index n, Ipopt::Number *xl, Ipopt::Number *xu,
                       Ipopt::Index m, Ipopt::Number *gl,
                       Ipopt::Number *gu) override;
  bool get_starting_point(Ipopt::Index n, bool initX, Ipopt::Number *x,
                          bool initZ, Ipopt::Number *zl, Ipopt::Number *zu,
                          Ipopt::Index m, bool initLambda,
                          Ipopt::Number *lambda) override;
  bool eval_f(Ipopt::Index n, const Ipopt::Number *x, bool newX,
              Ipopt::Number &value) override;
  bool eval_grad_f(Ipopt::Index n, const Ipopt::Number *x, bool newX,
                   Ipopt::Number *grad) override;
  bool eval_g(Ipopt::Index n, const Ipopt::Number *x, bool newX, Ipopt::Index m,
              Ipopt::Number *g) override;
  bool eval_jac_g(Ipopt::Index n, const Ipopt::Number *x, bool newX,
                  Ipopt::Index m, Ipopt::Index count, Ipopt::Index *rows,
                  Ipopt::Index *cols, Ipopt::Number *values) override;
  bool eval_h(Ipopt::Index n, const Ipopt::Number *x, bool newX,
              Ipopt::Number objFactor, Ipopt::Index m,
              const Ipopt::Number *lambda, bool newLambda, Ipopt::Index count,
              Ipopt::Index *rows, Ipopt::Index *cols,
              Ipopt::Number *values) override;
  void finalize_solution(TMINLP::SolverReturn status, Ipopt::Index n,
                         const Ipopt::Number *x,
                         Ipopt::Number objValue) override;
  const BranchingInfo *branchingInfo() const override { return nullptr; }
  const SosInfo *sosConstraints() const override { return nullptr; }

 private:
  // Constraint i's Jacobian row: its columns (ascending), their positions
  // in Ipopt's list, and the linear coefficients.
  struct JacobianRow {
    std::vector<int> cols;
    std::vector<double> linear;
    int first;
  };
  // Where each of a constraint's quadratic terms lands: its Hessian entry,
  // and the places of its row and column in the Jacobian row. Found once,
  // since Ipopt evaluates at every iteration (and Bonmin at every node).
  struct TermPlaces {
    std::vector<int> hessian;
    std::vector<std::pair<int, int>> jacobian;
  };
  int hessianPosition(int row, int col) const;
  void addHessianTerms(const std::vector<QuadTerm> &terms,
                       const std::vector<int> &positions, double factor,
                       Ipopt::Number *values) const;

  const ModelStore &store_;
  double objectiveFactor_;  // the model's sense, or 0 without objective
  std::vector<JacobianRow> jacobian_;
  int jacobianCount_ = 0;
  // Lower triangle (row >= col) of the Lagrangian's Hessian, sorted: an
  // entry's index is its place in Ipopt's list. Not a map: a dense
  // constraint has hundreds of thousands of entries, whose map nodes took
  // a tenth of a second to build and nearly as long to free, a stopped
  // solve included.
  std::vector<std::pair<int, int>> hessian_;
  std::vector<int> objectiveHessian_;
  std::vector<TermPlaces> constraintPlaces_;
};

#endif
