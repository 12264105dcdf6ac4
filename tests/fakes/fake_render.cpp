#include "fake_render.h"

#include <cstdio>

namespace fake {

namespace {

template <typename T, typename Render>
std::string renderArray(const T *values, int count, Render render) {
  if (values == nullptr) {
    return "null";
  }
  std::string text = "[";
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      text += ' ';
    }
    text += render(values[i]);
  }
  return text + "]";
}

}  // namespace

std::string renderInt(long long value) { return std::to_string(value); }

std::string renderDouble(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

std::string renderText(const char *text) {
  return text == nullptr ? "null" : '"' + std::string(text) + '"';
}

std::string renderChars(const char *chars, int count) {
  if (chars == nullptr) {
    return "null";
  }
  return '"' + std::string(chars, count > 0 ? count : 0) + '"';
}

std::string renderSense(int sense) {
  return '\'' + std::string(1, static_cast<char>(sense)) + '\'';
}

std::string renderInts(const int *values, int count) {
  return renderArray(values, count, [](int v) { return renderInt(v); });
}

std::string renderDoubles(const double *values, int count) {
  return renderArray(values, count, renderDouble);
}

std::string renderNames(const char *const *names, int count) {
  return renderArray(names, count, renderText);
}

std::string renderPointer(const void *pointer, const char *name) {
  return pointer == nullptr ? "null" : name;
}

std::string renderEnv(const void *env) { return renderPointer(env, "env"); }

std::string renderModel(const void *model) {
  return renderPointer(model, "model");
}

std::string renderOut(const void *output) {
  return renderPointer(output, "out");
}

}  // namespace fake
