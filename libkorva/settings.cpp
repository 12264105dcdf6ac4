#include "libkorva/settings.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// One row per parameter: its field, the inclusive range, and what it does in
// this library. "no effect" parameters are accepted and range-checked so that
// a parameter set written for other backends still applies cleanly.
struct ParamEntry {
  const char *name;
  int Settings::*intField;
  double Settings::*dblField;
  double min;
  double max;
};

constexpr double infinity = KVA_INFINITY;

const ParamEntry paramTable[] = {
    // no effect: the simplex runs on the model as given
    {"Dualization", &Settings::dualization, nullptr, -1, 1},
    // no effect: no network simplex
    {"EnableNetworkFlow", &Settings::enableNetworkFlow, nullptr, 0, 1},
    // no effect: no stochastic decomposition
    {"EnableStochasticLP", &Settings::enableStochasticLp, nullptr, 0, 1},
    // Clp barrier iteration limit (Method 2, and convex QP by barrier)
    {"IPM/MaxIterations", &Settings::ipmMaxIterations, nullptr, 0, INT_MAX},
    // log to the callback (stdout when none is registered)
    {"LogToConsole", &Settings::logToConsole, nullptr, 0, 1},
    // no effect
    {"MIP/AllowDualPresolve", &Settings::mipAllowDualPresolve, nullptr, -1, 1},
    // no effect
    {"MIP/AutoConfiguration", &Settings::mipAutoConfiguration, nullptr, -1, 1},
    // no effect
    {"MIP/DetectDisconnectedComponents",
     &Settings::mipDetectDisconnectedComponents, nullptr, -1, 1},
    // Cbc cut generators: 0 off, otherwise Cbc's default
    {"MIP/LevelCuts", &Settings::mipLevelCuts, nullptr, -1, 3},
    // Cbc heuristics: 0 off, otherwise Cbc's default
    {"MIP/LevelHeurs", &Settings::mipLevelHeurs, nullptr, -1, 3},
    // Cbc probing: 0 off, otherwise Cbc's default
    {"MIP/LevelProbing", &Settings::mipLevelProbing, nullptr, -1, 3},
    // Cbc strong branching: 0 off, otherwise Cbc's default
    {"MIP/LevelStrong", &Settings::mipLevelStrong, nullptr, -1, 3},
    // no effect: Cbc's sub-MIP heuristics follow MIP/LevelHeurs
    {"MIP/LevelSubmip", &Settings::mipLevelSubmip, nullptr, -1, 3},
    // Cbc node limit
    {"MIP/MaxNodes", &Settings::mipMaxNodes, nullptr, 0, INT_MAX},
    // Cbc limit on improving solutions found
    {"MIP/MaxSols", &Settings::mipMaxSols, nullptr, 1, INT_MAX},
    // no effect: Cbc has no stalling-node limit
    {"MIP/MaxStallingNodes", &Settings::mipMaxStallingNodes, nullptr, 0,
     INT_MAX},
    // no effect
    {"MIP/RootParallelism", &Settings::mipRootParallelism, nullptr, -1, 64},
    // no effect: one solution is kept
    {"MIP/SolutionNumber", &Settings::mipSolutionNumber, nullptr, 0, INT_MAX},
    // no effect: one solution is kept
    {"MIP/SolutionPoolSize", &Settings::mipSolutionPoolSize, nullptr, 1,
     INT_MAX},
    // LP: -1 automatic (dual), 0 primal, 1 dual, 2 barrier; convex QP:
    // 2 barrier, otherwise Clp's quadratic primal
    {"Method", &Settings::method, nullptr, -1, 2},
    // Cbc threads; -1 and 1 solve on one thread; LP and QP are serial
    {"NumThreads", &Settings::numThreads, nullptr, -1, 1024},
    // 0 silences the log everywhere
    {"OutputFlag", &Settings::outputFlag, nullptr, 0, 1},
    // no effect
    {"PostScaling", &Settings::postScaling, nullptr, -1, 1},
    // 0 off; otherwise Clp presolve (LP) and Cbc preprocessing (MIP)
    {"Presolve", &Settings::presolve, nullptr, -1, 3},
    // no effect
    {"SPX/ColumnGeneration", &Settings::spxColumnGeneration, nullptr, 0, 1},
    // 1 runs Clp's crash before the simplex
    {"SPX/CrashStart", &Settings::spxCrashStart, nullptr, 0, 1},
    // Clp dual pricing: -1 default, 0 Dantzig, 1 steepest edge, 2 partial
    {"SPX/DualPricing", &Settings::spxDualPricing, nullptr, -1, 2},
    // Clp/Cbc simplex iteration limit
    {"SPX/MaxIterations", &Settings::spxMaxIterations, nullptr, 0, INT_MAX},
    // Clp primal pricing: -1 default, 0 Dantzig, 1 steepest edge, 2 devex
    {"SPX/PrimalPricing", &Settings::spxPrimalPricing, nullptr, -1, 2},
    // no effect
    {"SolutionTarget", &Settings::solutionTarget, nullptr, -1, 1},

    // Clp barrier dual feasibility tolerance
    {"IPM/DualTolerance", nullptr, &Settings::ipmDualTolerance, 1e-12, 1e-1},
    // no effect: Clp's barrier has no separate gap tolerance
    {"IPM/GapTolerance", nullptr, &Settings::ipmGapTolerance, 1e-12, 1e-1},
    // Clp barrier primal feasibility tolerance
    {"IPM/PrimalTolerance", nullptr, &Settings::ipmPrimalTolerance, 1e-12,
     1e-1},
    // Cbc cutoff in the model's sense; +-1e20 means none
    {"MIP/Cutoff", nullptr, &Settings::mipCutoff, -infinity, infinity},
    // Cbc absolute gap
    {"MIP/GapAbs", nullptr, &Settings::mipGapAbs, 0, infinity},
    // Cbc relative gap
    {"MIP/GapRel", nullptr, &Settings::mipGapRel, 0, infinity},
    // Cbc integrality tolerance
    {"MIP/IntegerTolerance", nullptr, &Settings::mipIntegerTolerance, 1e-9,
     1e-1},
    // no effect: indicator rows take their big-M from variable bounds
    {"MIP/LinearizationBigM", nullptr, &Settings::mipLinearizationBigM, 0,
     infinity},
    // no effect
    {"MIP/ObjectiveTolerance", nullptr, &Settings::mipObjectiveTolerance, 0,
     infinity},
    // wall-clock limit in seconds for every backend; 1e20 means none
    {"MaxTime", nullptr, &Settings::maxTime, 0, infinity},
    // Clp/Cbc dual feasibility tolerance
    {"SPX/DualTolerance", nullptr, &Settings::spxDualTolerance, 1e-12, 1e-1},
    // Clp/Cbc primal feasibility tolerance
    {"SPX/PrimalTolerance", nullptr, &Settings::spxPrimalTolerance, 1e-12,
     1e-1},
};

const ParamEntry *findParam(const char *name) {
  if (name == nullptr) return nullptr;
  for (const ParamEntry &entry : paramTable) {
    if (std::strcmp(entry.name, name) == 0) return &entry;
  }
  return nullptr;
}

bool inRange(const ParamEntry &entry, double value) {
  return !std::isnan(value) && value >= entry.min && value <= entry.max;
}

}  // namespace

int setIntSetting(Settings &settings, const char *name, int value) {
  const ParamEntry *entry = findParam(name);
  if (entry == nullptr || entry->intField == nullptr) {
    return KVA_ERROR_UNKNOWN_PARAMETER;
  }
  if (!inRange(*entry, value)) return KVA_ERROR_PARAMETER_VALUE;
  settings.*(entry->intField) = value;
  return KVA_OK;
}

int setDblSetting(Settings &settings, const char *name, double value) {
  const ParamEntry *entry = findParam(name);
  if (entry == nullptr || entry->dblField == nullptr) {
    return KVA_ERROR_UNKNOWN_PARAMETER;
  }
  if (!inRange(*entry, value)) return KVA_ERROR_PARAMETER_VALUE;
  settings.*(entry->dblField) = value;
  return KVA_OK;
}

int setStrSetting(Settings &settings, const char *name, const char *value) {
  if (name == nullptr || std::strcmp(name, "LogFile") != 0) {
    return KVA_ERROR_UNKNOWN_PARAMETER;
  }
  if (value == nullptr) return KVA_ERROR_NULL_ARGUMENT;
  // Checked now so that a bad path is reported where it is set, not lost
  // in the middle of a solve.
  if (value[0] != '\0') {
    FILE *file = std::fopen(value, "a");
    if (file == nullptr) return KVA_ERROR_FILE;
    std::fclose(file);
  }
  settings.logFile = value;
  return KVA_OK;
}

std::string changedSettings(const Settings &settings) {
  const Settings defaults;
  std::string text;
  for (const ParamEntry &entry : paramTable) {
    double value, initial;
    if (entry.intField != nullptr) {
      value = settings.*(entry.intField);
      initial = defaults.*(entry.intField);
    } else {
      value = settings.*(entry.dblField);
      initial = defaults.*(entry.dblField);
    }
    if (value == initial) continue;
    char item[64];
    std::snprintf(item, sizeof item, "%s%s %.6g", text.empty() ? "" : ", ",
                  entry.name, value);
    text += item;
  }
  return text;
}
