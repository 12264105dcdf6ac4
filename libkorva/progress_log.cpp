#include "libkorva/progress_log.h"

namespace {

constexpr auto progressInterval = std::chrono::seconds(1);

}  // namespace

bool ProgressLog::due() {
  if (log == nullptr || !isLogging(*log)) return false;
  SolveClock::time_point now = SolveClock::now();
  if (now - last < progressInterval) return false;
  last = now;
  return true;
}
