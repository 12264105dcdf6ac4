// The environment's parameters: one field per parameter name, with its
// default, and setters that look a name up and check type and range.
#ifndef LIBKORVA_SETTINGS_H
#define LIBKORVA_SETTINGS_H

#include <climits>
#include <string>

#include "libkorva/api_export.h"

struct Settings {
  int dualization = -1;
  int enableNetworkFlow = 0;
  int enableStochasticLp = 0;
  int ipmMaxIterations = 500;
  int logToConsole = 1;
  int mipAllowDualPresolve = -1;
  int mipAutoConfiguration = -1;
  int mipDetectDisconnectedComponents = -1;
  int mipLevelCuts = -1;
  int mipLevelHeurs = -1;
  int mipLevelProbing = -1;
  int mipLevelStrong = -1;
  int mipLevelSubmip = -1;
  int mipMaxNodes = INT_MAX;
  int mipMaxSols = INT_MAX;
  int mipMaxStallingNodes = INT_MAX;
  int mipRootParallelism = -1;
  int mipSolutionNumber = 0;
  int mipSolutionPoolSize = 1;
  int method = -1;
  int numThreads = -1;
  int outputFlag = 1;
  int postScaling = -1;
  int presolve = -1;
  int spxColumnGeneration = 0;
  int spxCrashStart = 0;
  int spxDualPricing = -1;
  int spxMaxIterations = INT_MAX;
  int spxPrimalPricing = -1;
  int solutionTarget = -1;

  double ipmDualTolerance = 1e-8;
  double ipmGapTolerance = 1e-8;
  double ipmPrimalTolerance = 1e-8;
  double mipCutoff = KVA_INFINITY;
  double mipGapAbs = 1e-6;
  double mipGapRel = 1e-4;
  double mipIntegerTolerance = 1e-6;
  double mipLinearizationBigM = 1e5;
  double mipObjectiveTolerance = 1e-6;
  double maxTime = KVA_INFINITY;
  double spxDualTolerance = 1e-7;
  double spxPrimalTolerance = 1e-7;

  std::string logFile;
};

// Each returns KVA_OK, KVA_ERROR_UNKNOWN_PARAMETER (no parameter of this
// name and type) or KVA_ERROR_PARAMETER_VALUE (outside the range, or NaN).
// "LogFile" must name a file that can be opened for appending, or be empty.
int setIntSetting(Settings &settings, const char *name, int value);
int setDblSetting(Settings &settings, const char *name, double value);
int setStrSetting(Settings &settings, const char *name, const char *value);

// "Name value" of each numeric parameter away from its default, joined by
// ", ": what the log shows of the settings a solve ran with.
std::string changedSettings(const Settings &settings);

#endif
