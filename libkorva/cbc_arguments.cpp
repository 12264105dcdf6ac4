#include "libkorva/cbc_arguments.h"

#include <climits>
#include <cstdio>

#include "libkorva/api_export.h"

namespace {

std::string number2text(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.15g", value);
  return text;
}

void add(std::vector<std::string> &args, const char *name,
         const std::string &value) {
  args.push_back(name);
  args.push_back(value);
}

void addLimit(std::vector<std::string> &args, const char *name, int limit) {
  if (limit < INT_MAX) add(args, name, std::to_string(limit));
}

// Cbc's defaults are made for hard models: on one with fewer than 500
// columns it makes 100 passes of its root cut loop, and it runs strong
// branching, cut passes and heuristics at every node. On MIPLIB 3 (up to
// 548 columns) that was most of the time; one root pass and, at the nodes,
// less strong branching, no cuts and no heuristics closed most instances 2
// to 10 times faster. Larger models keep Cbc's defaults, and so does any
// level the user sets.
constexpr int smallModelColumns = 1000;
constexpr int tinyModelColumns = 50;
// The feasibility pump found mod008's and p0282's optimum early; under 200
// columns its fixed cost was most of the solve (p0033: 14 against 6 ms).
constexpr int pumpMinColumns = 200;

void addSmallModelSettings(std::vector<std::string> &args,
                           const Settings &settings,
                           const CbcRunOptions &options) {
  // SOS sets keep the settings Cbc's branching on them was tried with.
  if (options.numCols >= smallModelColumns || options.keepPreprocessOff) {
    return;
  }
  bool binary = !options.generalIntegers;
  if (settings.mipLevelCuts == -1) {
    // A tiny model with general integers branches on values the root cuts
    // would have cut off, and its cut passes cost little: flugpl (18
    // columns) took 400 nodes after one pass, 10 ms after 20.
    add(args, "-passCuts",
        !binary && options.numCols < tinyModelColumns ? "20" : "1");
    // General integers needed the cuts in the tree (bell5: twice as long
    // without them); binary models did not.
    if (binary) add(args, "-passTree", "0");
  }
  // A node or solution limit asks for points early, which Cbc's root
  // heuristics find.
  bool limited =
      settings.mipMaxNodes < INT_MAX || settings.mipMaxSols < INT_MAX;
  if (settings.mipLevelHeurs == -1 && !limited) {
    add(args, "-heuristics", "off");
    if (options.numCols >= pumpMinColumns) add(args, "-feasibilityPump", "on");
  }
  if (settings.mipLevelStrong == -1) add(args, "-strong", binary ? "1" : "3");
  // Preprocessing led the search on general integers astray: bell5 took
  // 10 to 20 s after one root pass with it and 1 to 2 s without.
  if (settings.presolve == -1 && !binary) add(args, "-preprocess", "off");
}

}  // namespace

std::vector<std::string> cbcArguments(const Settings &settings,
                                      const CbcRunOptions &options) {
  std::vector<std::string> args{"korva"};
  add(args, "-log", "0");
  if (options.secondsLeft < KVA_INFINITY) {
    add(args, "-timeMode", "elapsed");
    add(args, "-sec", number2text(options.secondsLeft));
  }
  if (settings.numThreads >= 2) {
    add(args, "-threads", std::to_string(settings.numThreads));
  }
  addLimit(args, "-maxNodes", settings.mipMaxNodes);
  addLimit(args, "-maxSolutions", settings.mipMaxSols);
  addLimit(args, "-maxIterations", settings.spxMaxIterations);
  add(args, "-allowableGap", number2text(settings.mipGapAbs));
  add(args, "-ratioGap", number2text(settings.mipGapRel));
  add(args, "-integerTolerance", number2text(settings.mipIntegerTolerance));
  add(args, "-primalTolerance", number2text(settings.spxPrimalTolerance));
  add(args, "-dualTolerance", number2text(settings.spxDualTolerance));
  if (options.cutoff < KVA_INFINITY) {
    add(args, "-cutoff", number2text(options.cutoff));
  }
  addSmallModelSettings(args, settings, options);
  if (settings.presolve == 0) add(args, "-presolve", "off");
  if (settings.presolve == 0 || options.keepPreprocessOff) {
    add(args, "-preprocess", "off");
  }
  if (settings.mipLevelCuts == 0) add(args, "-cuts", "off");
  if (settings.mipLevelHeurs == 0) add(args, "-heuristics", "off");
  if (settings.mipLevelProbing == 0) add(args, "-probing", "off");
  if (settings.mipLevelStrong == 0) add(args, "-strong", "0");
  args.push_back("-solve");
  args.push_back("-quit");
  return args;
}
