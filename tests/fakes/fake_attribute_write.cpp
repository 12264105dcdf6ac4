// Attribute writes: recorded, and accepted on any live model. Nothing
// written here changes what the getters report.
#include "fake_render.h"
#include "fake_state.h"

using fake::checkModel;
using fake::record;
using fake::renderChars;
using fake::renderDouble;
using fake::renderDoubles;
using fake::renderInt;
using fake::renderModel;
using fake::renderText;

extern "C" {

int KVAsetintattr(KVAmodel model, const char *name, int value) {
  return checkModel(
      record("KVAsetintattr",
             {renderModel(model), renderText(name), renderInt(value)}),
      model);
}

int KVAsetdblattr(KVAmodel model, const char *name, double value) {
  return checkModel(
      record("KVAsetdblattr",
             {renderModel(model), renderText(name), renderDouble(value)}),
      model);
}

int KVAsetstrattr(KVAmodel model, const char *name, const char *value) {
  return checkModel(
      record("KVAsetstrattr",
             {renderModel(model), renderText(name), renderText(value)}),
      model);
}

int KVAsetdblattrarray(KVAmodel model, const char *name, int first, int count,
                       const double *values) {
  return checkModel(
      record("KVAsetdblattrarray",
             {renderModel(model), renderText(name), renderInt(first),
              renderInt(count), renderDoubles(values, count)}),
      model);
}

int KVAsetcharattrarray(KVAmodel model, const char *name, int first, int count,
                        const char *values) {
  return checkModel(
      record("KVAsetcharattrarray",
             {renderModel(model), renderText(name), renderInt(first),
              renderInt(count), renderChars(values, count)}),
      model);
}

int KVAsetdblattrelement(KVAmodel model, const char *name, int element,
                         double value) {
  return checkModel(
      record("KVAsetdblattrelement", {renderModel(model), renderText(name),
                                      renderInt(element), renderDouble(value)}),
      model);
}

}  // extern "C"
