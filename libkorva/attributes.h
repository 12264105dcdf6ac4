// Reading and writing model attributes by name. Solution attributes that
// the last solve did not produce give KVA_ERROR_DATA_NOT_AVAILABLE.
#ifndef LIBKORVA_ATTRIBUTES_H
#define LIBKORVA_ATTRIBUTES_H

#include "libkorva/handles.h"

int getIntAttr(const KVAmodelData &model, const char *name, int *value);
int getDblAttr(const KVAmodelData &model, const char *name, double *value);
int getDblArrayAttr(const KVAmodelData &model, const char *name, int first,
                    int count, double *values);
int getMatAttrElement(const KVAmodelData &model, const char *name, int element,
                      int *numEntries, int *numRows, int *numCols, int *flatIdx,
                      double *vals);

int setIntAttr(ModelStore &store, const char *name, int value);
int setDblAttr(ModelStore &store, const char *name, double value);
int setStrAttr(ModelStore &store, const char *name, const char *value);
int setDblArrayAttr(ModelStore &store, const char *name, int first, int count,
                    const double *values);
int setCharArrayAttr(ModelStore &store, const char *name, int first, int count,
                     const char *values);

#endif
