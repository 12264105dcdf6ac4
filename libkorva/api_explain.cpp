// Texts for the result codes.
#include "libkorva/api_export.h"

const char *KVAexplainerror(int code) {
  switch (code) {
    case KVA_OK:
      return "No error.";
    case KVA_ERROR_NULL_ARGUMENT:
      return "A required argument was null.";
    case KVA_ERROR_INVALID_ARGUMENT:
      return "An argument has an invalid value.";
    case KVA_ERROR_OUT_OF_MEMORY:
      return "Out of memory.";
    case KVA_ERROR_UNKNOWN_PARAMETER:
      return "No parameter of this name and type.";
    case KVA_ERROR_PARAMETER_VALUE:
      return "The parameter value is outside its range.";
    case KVA_ERROR_UNKNOWN_ATTRIBUTE:
      return "No attribute of this name and type.";
    case KVA_ERROR_ATTRIBUTE_READ_ONLY:
      return "The attribute cannot be written.";
    case KVA_ERROR_DATA_NOT_AVAILABLE:
      return "The requested data is not available.";
    case KVA_ERROR_INDEX_OUT_OF_RANGE:
      return "An index is out of range.";
    case KVA_ERROR_ENV_NOT_STARTED:
      return "The environment has not been started.";
    case KVA_ERROR_ENV_STARTED:
      return "The environment has already been started.";
    case KVA_ERROR_MODEL_BUSY:
      return "The model is in use by another call.";
    case KVA_ERROR_FILE:
      return "A file could not be opened.";
    case KVA_ERROR_INTERNAL:
      return "Internal error in the solver library.";
    default:
      return "Unknown error code.";
  }
}
