#include "libkorva/dsdp_run.h"

extern "C" {
#include <dsdp/dsdp5.h>
}

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "libkorva/progress_log.h"

namespace {

// A dual that reached this share of DSDP's bound on y is taken as
// unbounded.
constexpr double yBoundReach = 0.999;
constexpr double dualInfeasibilityTolerance = 1e-6;
constexpr double stalledGapTolerance = 1e-6;

struct DsdpDeleter {
  void operator()(DSDP solver) const { DSDPDestroy(solver); }
};
using DsdpHandle = std::unique_ptr<std::remove_pointer_t<DSDP>, DsdpDeleter>;

struct MonitorContext {
  SolveJob *job;
  ProgressLog progress;
  double costConstant;
};

// Called by DSDP once per iteration: the log line, and the stop request.
int monitorIteration(DSDP solver, void *data) {
  MonitorContext &context = *static_cast<MonitorContext *>(data);
  SolveJob &job = *context.job;
  if (isLogging(job.log)) {
    int iteration = 0;
    double primal = 0.0, dual = 0.0, infeasibility = 0.0;
    DSDPGetIts(solver, &iteration);
    DSDPGetPPObjective(solver, &primal);
    DSDPGetDDObjective(solver, &dual);
    DSDPGetPInfeasibility(solver, &infeasibility);
    // DSDP's objectives are those of the minimised conic form.
    logFormatted(job.log,
                 "DSDP iteration %d: primal objective %.10g, dual objective "
                 "%.10g, primal infeasibility %.1e",
                 iteration,
                 context.progress.modelValue(primal + context.costConstant),
                 context.progress.modelValue(dual + context.costConstant),
                 infeasibility);
  }
  if (shouldStop(job.signal)) {
    DSDPSetConvergenceFlag(solver, DSDP_USER_TERMINATION);
  }
  return 0;
}

// DSDP's packed storage: entry (i, j), i >= j, of the lower triangle.
int packedIndex(int r, int c) { return c * (c + 1) / 2 + r; }

// Data of one psd block, per DSDP variable (0 the cost, i + 1 row i):
// packed indices and symmetric entry values.
struct BlockData {
  std::vector<std::vector<int>> idx;
  std::vector<std::vector<double>> vals;
};

void collect(const ConicForm &form, const ConicRow &row, int var,
             std::vector<BlockData> &blocks, std::vector<int> &lpBegin,
             std::vector<int> &lpRows, std::vector<double> &lpVals) {
  for (const auto &[column, value] : row) {
    if (column >= form.linearStart) {
      lpRows.push_back(column - form.linearStart);
      lpVals.push_back(value);
      continue;
    }
    for (size_t j = 0; j < form.psdDims.size(); ++j) {
      int dim = form.psdDims[j];
      int flat = column - form.psdStart[j];
      if (flat < 0 || flat >= dim * dim) continue;
      blocks[j].idx[var].push_back(packedIndex(flat / dim, flat % dim));
      blocks[j].vals[var].push_back(value);
      break;
    }
  }
  lpBegin[var + 1] = static_cast<int>(lpRows.size());
}

int terminationStatus(DSDP solver, SolveJob &job) {
  DSDPTerminationReason reason;
  DSDPSolutionType type;
  DSDPStopReason(solver, &reason);
  DSDPGetSolutionType(solver, &type);
  if (reason == DSDP_USER_TERMINATION) {
    return job.signal.timeUp.load() ? KVA_TIME_LIMIT : KVA_INTERRUPTED;
  }
  // DSDP's (D) is the dual of our model, its (P) our model.
  if (type == DSDP_UNBOUNDED) return KVA_INFEASIBLE;
  if (type == DSDP_INFEASIBLE) return KVA_UNBOUNDED;
  if (reason == DSDP_MAX_IT) return KVA_ITERATION_LIMIT;
  if (type != DSDP_PDFEASIBLE) return KVA_NUMERICAL;
  if (reason != DSDP_CONVERGED) {
    // On ill-conditioned models DSDP stalls (short steps) a little above a
    // tight gap tolerance; a primal point that close is still the optimum.
    double primal = 0.0, dual = 0.0;
    if (DSDPComputeX(solver) != 0) return KVA_NUMERICAL;
    DSDPGetPObjective(solver, &primal);
    DSDPGetDDObjective(solver, &dual);
    double gap = std::fabs(primal - dual) / (1.0 + std::fabs(dual));
    if (gap > stalledGapTolerance) return KVA_NUMERICAL;
    char line[128];
    std::snprintf(line, sizeof line,
                  "DSDP stalled at relative gap %.1e; point accepted", gap);
    logLine(job.log, line);
  }
  // DSDP also ends "feasible" when its dual ran into the bounds it keeps on
  // y (our model is then infeasible) or kept a dual infeasibility r > 0
  // (our model then falls without bound).
  double yMax = 0.0, yLower = 0.0, yUpper = 0.0, r = 0.0;
  DSDPGetYMaxNorm(solver, &yMax);
  DSDPGetYBounds(solver, &yLower, &yUpper);
  DSDPGetR(solver, &r);
  if (yMax >= yBoundReach * std::min(-yLower, yUpper)) return KVA_INFEASIBLE;
  if (r > dualInfeasibilityTolerance) return KVA_UNBOUNDED;
  return KVA_OPTIMAL;
}

}  // namespace

ConicResult runDsdp(const ConicForm &form, SolveJob &job) {
  ConicResult result;
  int m = static_cast<int>(form.rows.size());
  int numBlocks = static_cast<int>(form.psdDims.size());
  std::vector<BlockData> blocks(numBlocks);
  for (BlockData &block : blocks) {
    block.idx.resize(m + 1);
    block.vals.resize(m + 1);
  }
  std::vector<int> lpBegin(m + 2, 0);
  std::vector<int> lpRows;
  std::vector<double> lpVals;
  collect(form, form.cost, 0, blocks, lpBegin, lpRows, lpVals);
  for (int i = 0; i < m; ++i) {
    collect(form, form.rows[i].row, i + 1, blocks, lpBegin, lpRows, lpVals);
  }

  // Made after the data it points into, so it is destroyed before them.
  DSDP raw = nullptr;
  if (DSDPCreate(m, &raw) != 0) return result;
  DsdpHandle solver(raw);
  for (int i = 0; i < m; ++i) {
    DSDPSetDualObjective(raw, i + 1, form.rows[i].rhs);
  }

  SDPCone sdpCone = nullptr;
  if (numBlocks > 0) {
    DSDPCreateSDPCone(raw, numBlocks, &sdpCone);
    for (int j = 0; j < numBlocks; ++j) {
      SDPConeSetBlockSize(sdpCone, j, form.psdDims[j]);
      for (int var = 0; var <= m; ++var) {
        const std::vector<int> &idx = blocks[j].idx[var];
        if (idx.empty()) continue;
        // DSDP keeps pointers to these arrays until it is destroyed.
        SDPConeSetASparseVecMat(sdpCone, j, var, form.psdDims[j], 1.0, 0,
                                idx.data(), blocks[j].vals[var].data(),
                                static_cast<int>(idx.size()));
      }
    }
  }
  LPCone lpCone = nullptr;
  if (form.numLinear > 0) {
    DSDPCreateLPCone(raw, &lpCone);
    LPConeSetData(lpCone, form.numLinear, lpBegin.data(), lpRows.data(),
                  lpVals.data());
  }

  DSDPSetGapTolerance(raw, job.settings.ipmGapTolerance);
  DSDPSetMaxIts(raw, job.settings.ipmMaxIterations);
  MonitorContext context{&job, ProgressLog(job.log, job.store),
                         form.costConstant};
  DSDPSetMonitor(raw, monitorIteration, &context);

  if (DSDPSetup(raw) != 0) {
    result.status = KVA_NUMERICAL;
    return result;
  }
  DSDPSolve(raw);
  DSDPGetIts(raw, &result.iterations);
  result.status = terminationStatus(raw, job);
  if (result.status != KVA_OPTIMAL || DSDPComputeX(raw) != 0) return result;

  for (int j = 0; j < numBlocks; ++j) {
    int dim = form.psdDims[j];
    double *packed = nullptr;
    int length = 0;
    SDPConeGetXArray(sdpCone, j, &packed, &length);
    std::vector<double> full(static_cast<size_t>(dim) * dim);
    for (int r = 0; r < dim; ++r) {
      for (int c = r; c < dim; ++c) {
        full[r * dim + c] = full[c * dim + r] = packed[packedIndex(r, c)];
      }
    }
    result.psd.push_back(std::move(full));
  }
  if (lpCone != nullptr) {
    double *x = nullptr;
    int length = 0;
    LPConeGetXArray(lpCone, &x, &length);
    result.linear.assign(x, x + length);
  }
  result.rowDuals.resize(m);
  if (m > 0) DSDPGetY(raw, result.rowDuals.data(), m);
  result.hasPoint = true;
  return result;
}
