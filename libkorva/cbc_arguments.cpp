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
