#include "params/params.h"

// A parameter's position in its table is its identity inside the module; the
// names are the solver's own and are passed to it as they stand.

const char *const paramsInt[numParamsInt] = {
    "Dualization",
    "EnableNetworkFlow",
    "EnableStochasticLP",
    "IPM/MaxIterations",
    "LogToConsole",
    "MIP/AllowDualPresolve",
    "MIP/AutoConfiguration",
    "MIP/DetectDisconnectedComponents",
    "MIP/LevelCuts",
    "MIP/LevelHeurs",
    "MIP/LevelProbing",
    "MIP/LevelStrong",
    "MIP/LevelSubmip",
    "MIP/MaxNodes",
    "MIP/MaxSols",
    "MIP/MaxStallingNodes",
    "MIP/RootParallelism",
    "MIP/SolutionNumber",
    "MIP/SolutionPoolSize",
    "Method",
    "NumThreads",
    "OutputFlag",
    "PostScaling",
    "Presolve",
    "SPX/ColumnGeneration",
    "SPX/CrashStart",
    "SPX/DualPricing",
    "SPX/MaxIterations",
    "SPX/PrimalPricing",
    "SolutionTarget",
};

const char *const paramsDouble[numParamsDouble] = {
    "IPM/DualTolerance",
    "IPM/GapTolerance",
    "IPM/PrimalTolerance",
    "MIP/Cutoff",
    "MIP/GapAbs",
    "MIP/GapRel",
    "MIP/IntegerTolerance",
    "MIP/LinearizationBigM",
    "MIP/ObjectiveTolerance",
    "MaxTime",
    "SPX/DualTolerance",
    "SPX/PrimalTolerance",
};

const char *const paramsString[numParamsString] = {
    "LogFile",
};
