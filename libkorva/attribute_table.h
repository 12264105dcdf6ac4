// The model attributes by name, with their kind and whether they may be
// written, and the index check of array attributes.
#ifndef LIBKORVA_ATTRIBUTE_TABLE_H
#define LIBKORVA_ATTRIBUTE_TABLE_H

enum class AttrKind { Int, Dbl, Str, DblArray, CharArray, Matrix };

// KVA_OK when name is an attribute of that kind (and writable, when
// forWrite); KVA_ERROR_UNKNOWN_ATTRIBUTE or KVA_ERROR_ATTRIBUTE_READ_ONLY
// otherwise.
int checkAttribute(const char *name, AttrKind kind, bool forWrite);

// Elements first..first+count-1 of an array attribute of size elements:
// KVA_ERROR_INDEX_OUT_OF_RANGE outside it, KVA_ERROR_NULL_ARGUMENT when the
// buffer is missing.
int checkSlice(int first, int count, int size, const void *buffer);

#endif
