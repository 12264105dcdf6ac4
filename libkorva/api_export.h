// The library is compiled with hidden visibility; the C interface is
// declared here with default visibility, so the KVA* definitions are the
// only symbols it exports. Every file of the library includes this header
// instead of host/korva_api.h, so the declarations always carry it.
#ifndef LIBKORVA_API_EXPORT_H
#define LIBKORVA_API_EXPORT_H

#pragma GCC visibility push(default)
#include "host/korva_api.h"
#pragma GCC visibility pop

#endif
