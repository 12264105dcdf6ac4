// Reading and writing attributes through the C interface.
#include "libkorva/api_export.h"
#include "libkorva/api_guard.h"
#include "libkorva/attributes.h"

int KVAsetintattr(KVAmodel model, const char *name, int value) {
  return editModel(model, [&](KVAmodelData &data) {
    return setIntAttr(data.store, name, value);
  });
}

int KVAsetdblattr(KVAmodel model, const char *name, double value) {
  return editModel(model, [&](KVAmodelData &data) {
    return setDblAttr(data.store, name, value);
  });
}

int KVAsetstrattr(KVAmodel model, const char *name, const char *value) {
  return editModel(model, [&](KVAmodelData &data) {
    return setStrAttr(data.store, name, value);
  });
}

int KVAsetdblattrarray(KVAmodel model, const char *name, int first, int count,
                       const double *values) {
  return editModel(model, [&](KVAmodelData &data) {
    return setDblArrayAttr(data.store, name, first, count, values);
  });
}

int KVAsetcharattrarray(KVAmodel model, const char *name, int first, int count,
                        const char *values) {
  return editModel(model, [&](KVAmodelData &data) {
    return setCharArrayAttr(data.store, name, first, count, values);
  });
}

int KVAsetdblattrelement(KVAmodel model, const char *name, int element,
                         double value) {
  return editModel(model, [&](KVAmodelData &data) {
    return setDblArrayAttr(data.store, name, element, 1, &value);
  });
}

int KVAgetintattr(KVAmodel model, const char *name, int *value) {
  return withModel(
      model, [&](KVAmodelData &data) { return getIntAttr(data, name, value); });
}

int KVAgetdblattr(KVAmodel model, const char *name, double *value) {
  return withModel(
      model, [&](KVAmodelData &data) { return getDblAttr(data, name, value); });
}

int KVAgetdblattrarray(KVAmodel model, const char *name, int first, int count,
                       double *values) {
  return withModel(model, [&](KVAmodelData &data) {
    return getDblArrayAttr(data, name, first, count, values);
  });
}

int KVAgetmatattrelement(KVAmodel model, const char *name, int element,
                         int *numEntries, int *numRows, int *numCols,
                         int *flatIdx, double *vals) {
  return withModel(model, [&](KVAmodelData &data) {
    return getMatAttrElement(data, name, element, numEntries, numRows, numCols,
                             flatIdx, vals);
  });
}
