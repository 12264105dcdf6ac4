// Argument rendering for recorded calls: the text forms fake_solver.h
// describes. Arrays take their length from the caller, which reads it from
// the call's own counts.
#ifndef KORVA_FAKE_RENDER_H
#define KORVA_FAKE_RENDER_H

#include <string>

namespace fake {

std::string renderInt(long long value);
std::string renderDouble(double value);
std::string renderText(const char *text);
// `count` characters as one quoted text; a null pointer renders as null.
std::string renderChars(const char *chars, int count);
// A sense passed as an integer, shown as the character it stands for.
std::string renderSense(int sense);
std::string renderInts(const int *values, int count);
std::string renderDoubles(const double *values, int count);
std::string renderNames(const char *const *names, int count);
// A handle, handle address, callback or output address: `name` when set.
std::string renderPointer(const void *pointer, const char *name);
std::string renderEnv(const void *env);
std::string renderModel(const void *model);
std::string renderOut(const void *output);

}  // namespace fake

#endif
