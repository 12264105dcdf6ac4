#include "libkorva/optimize.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "libkorva/conic_form.h"
#include "libkorva/linear_problem.h"
#include "libkorva/model_class.h"
#include "libkorva/objective.h"
#include "libkorva/solve_job.h"

namespace {

// Beyond this a time limit is as good as none (and would overflow the
// clock).
constexpr double maxTimeHorizon = 1e9;

const char *statusName(int status) {
  static const char *const names[] = {
      "UNKNOWN",    "OPTIMAL",     "INFEASIBLE",  "UNBOUNDED",
      "INF_OR_UBD", "SUB_OPTIMAL", "NUMERICAL",   "ITERATION_LIMIT",
      "TIME_LIMIT", "NODE_LIMIT",  "UNSUPPORTED", "INTERRUPTED"};
  return status >= 0 && status <= KVA_INTERRUPTED ? names[status] : "?";
}

const char *backendName(Backend backend, const Settings &settings) {
  switch (backend) {
    case Backend::ClpLinear:
      return settings.method == 0   ? "Clp primal simplex"
             : settings.method == 1 ? "Clp dual simplex"
             : settings.method == 2 ? "Clp barrier with crossover"
                                    : "Clp simplex";
    case Backend::ClpQuadratic:
      return "Clp barrier";
    case Backend::Cbc:
      return "Cbc branch and cut";
    case Backend::Dsdp:
      return "DSDP dual scaling";
    case Backend::Bonmin:
      return "Bonmin (Ipopt at each node)";
    case Backend::None:
      break;
  }
  return "no backend";
}

LogRoute openLogRoute(const EnvState &env, const Settings &settings) {
  LogRoute route;
  route.sink = env.log;
  route.toConsole = settings.outputFlag == 1 && settings.logToConsole == 1;
  if (settings.outputFlag == 1 && !settings.logFile.empty()) {
    route.file.reset(std::fopen(settings.logFile.c_str(), "a"));
  }
  return route;
}

void logHeader(LogRoute &log, const ModelStore &store, const ModelClass &cls,
               const Settings &settings) {
  // A silent solve formats nothing: on a small LP the header's text would
  // cost as much as a tenth of the solve.
  if (!isLogging(log)) return;
  auto integers =
      std::count_if(store.vtype.begin(), store.vtype.end(), isIntegerType);
  std::string line = "Model" + (store.name.empty() ? "" : " " + store.name) +
                     ": " + std::to_string(numVars(store)) + " variables (" +
                     std::to_string(integers) + " integer), " +
                     std::to_string(numRows(store)) + " linear rows, " +
                     std::to_string(store.vals.size()) + " nonzeros";
  auto addCount = [&line](size_t count, const char *what) {
    if (count > 0) line += ", " + std::to_string(count) + " " + what;
  };
  addCount(store.objQuad.size(), "quadratic objective terms");
  addCount(store.quadConstrs.size(), "quadratic constraints");
  addCount(store.sos.size(), "SOS sets");
  addCount(store.indicators.size(), "indicator constraints");
  addCount(store.psdVars.size(), "semidefinite variables");
  addCount(store.psdConstrs.size(), "semidefinite constraints");
  logLine(log, line);
  std::string changed = changedSettings(settings);
  if (!changed.empty()) logLine(log, "Parameters changed: " + changed);
  if (cls.backend != Backend::None) {
    logLine(log, cls.name + " solved by " + backendName(cls.backend, settings));
  }
}

void logFooter(LogRoute &log, const Solution &solution) {
  if (!isLogging(log)) return;
  char text[160];
  int length = std::snprintf(text, sizeof text, "Status %s",
                             statusName(solution.status));
  if (solution.hasPoint) {
    length += std::snprintf(text + length, sizeof text - length,
                            ", objective %.10g", solution.objVal);
  }
  std::snprintf(text + length, sizeof text - length, ", %.3f seconds",
                solution.solverTime);
  logLine(log, text);
}

SolveClock::time_point deadlineAfter(double seconds) {
  if (seconds >= maxTimeHorizon) return SolveClock::time_point::max();
  return SolveClock::now() + std::chrono::duration_cast<SolveClock::duration>(
                                 std::chrono::duration<double>(seconds));
}

void runBackend(const ModelClass &cls, SolveJob &job, Solution &solution) {
  switch (cls.backend) {
    case Backend::ClpLinear:
      solveLinear(job, solution);
      break;
    case Backend::ClpQuadratic:
      solveQuadratic(job, solution);
      break;
    case Backend::Cbc:
      solveMixedInteger(job, solution);
      break;
    case Backend::Dsdp:
      solveSemidefinite(job, solution);
      break;
    case Backend::Bonmin:
      solveQuadraticMinlp(job, solution);
      break;
    case Backend::None:
      logLine(job.log,
              "Unsupported: no backend in this library solves a " + cls.name);
      solution.status = KVA_UNSUPPORTED;
      break;
  }
}

}  // namespace

void optimizeModel(KVAmodelData &model) {
  Settings settings;
  {
    std::lock_guard<std::mutex> guard(model.env->lock);
    settings = model.env->settings;
  }
  SolveClock::time_point start = SolveClock::now();
  LogRoute log = openLogRoute(*model.env, settings);
  StopSignal signal{&model.stopRequested, deadlineAfter(settings.maxTime)};
  const ModelStore &store = model.store;
  ModelClass cls = classifyModel(store);
  logHeader(log, store, cls, settings);

  Solution solution;
  solution.solved = true;
  SolveJob job{store, settings, log, signal};
  // A request that came before the solve ends it before a backend copies
  // the model (a tenth of a second on a large one).
  if (!model.stopRequested.load()) runBackend(cls, job, solution);
  // The request is consumed here; one that came after the backend had
  // finished still marks the solve as interrupted.
  if (model.stopRequested.exchange(false)) solution.status = KVA_INTERRUPTED;
  if (solution.hasPoint) {
    solution.objVal = objectiveValue(store, solution.x) +
                      psdObjectiveValue(store, solution.psdX);
  }
  solution.solverTime = secondsSince(start);
  logFooter(log, solution);
  model.solution = std::move(solution);
}
