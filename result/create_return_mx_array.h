// The structure a solve hands back to the caller, read from the solved model.
#ifndef KORVA_CREATE_RETURN_MX_ARRAY_H
#define KORVA_CREATE_RETURN_MX_ARRAY_H

#include "host/host.h"
#include "host/korva_api.h"

// Places a 1x1 structure with the twelve result fields in plhs[0]. A value
// the library cannot supply is NaN, an empty "Status" or, for a semidefinite
// value without readable sizes, a 0x0 sparse matrix. Every array it creates
// belongs to the host; it holds no memory of its own afterwards.
void createReturnMxArray(KVAmodel model, mxArray *plhs[]);

#endif
