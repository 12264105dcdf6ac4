// Whether a model with quadratic parts is convex, so that a local solver's
// optimum is the global one.
#ifndef LIBKORVA_QUADRATIC_CONVEXITY_H
#define LIBKORVA_QUADRATIC_CONVEXITY_H

#include <atomic>
#include <string>

#include "libkorva/model_store.h"

// Empty when convex (or too large to check, or stopped by a terminate
// request); otherwise says what is not.
std::string nonConvexPart(const ModelStore &store,
                          const std::atomic<bool> *terminate);

#endif
