// The byte format the fuzz targets decode into a gateway call, shared by the
// decoder and the seed writer so that both read the same tables. Every byte
// string decodes: a read past the end gives 0.
#ifndef KORVA_FUZZ_FORMAT_H
#define KORVA_FUZZ_FORMAT_H

#include <cstddef>
#include <cstdint>

namespace fuzzformat {

// Header: [status] [flags] [failed function] [failed code], then the model
// structure, then (with flagParams) the parameter structure.
enum Flag : uint8_t {
  flagParams = 1,        // a second input is passed
  flagLog = 2,           // the fake logs from two threads while it solves
  flagInterrupt = 4,     // Ctrl+C pending at every query
  flagFailCall = 8,      // one solver call returns an error code
  flagNoOutput = 16,     // called with nlhs 0
  flagThreeInputs = 32,  // a third input is passed
  flagNotStruct = 64,    // the first input is replaced by a double
};

// Final statuses the fake reports after a solve.
constexpr int statuses[] = {1, 2, 3, 5, 0, 4, 11, 6, 7, 8, 9, 10, 12, -1};

// Solver calls the fake can fail.
constexpr const char *failableCalls[] = {
    "KVAemptyenv",
    "KVAsetlogcallback",
    "KVAstartenv",
    "KVAloadmodel",
    "KVAnewmodel",
    "KVAsetintattr",
    "KVAsetstrattr",
    "KVAsetdblattrarray",
    "KVAsetcharattrarray",
    "KVAaddqpterms",
    "KVAaddqconstr",
    "KVAaddsos",
    "KVAaddgenconstrIndicator",
    "KVAaddpsdvar",
    "KVAaddpsdconstr",
    "KVAaddrangepsdconstr",
    "KVAsetintparam",
    "KVAsetdblparam",
    "KVAsetstrparam",
    "KVAgetintattr",
    "KVAgetdblattr",
    "KVAgetdblattrarray",
    "KVAgetmatattrelement",
    "KVAoptimize",
    "KVAsetdblattrelement",
};

// Value classes; a class byte is taken modulo the count.
enum ValueClass : uint8_t {
  classDense,
  classScalar,
  classSparse,
  classComplex,
  classChar,
  classCell,
  classStructArray,
  classLogical,
  classInt32,
  classEmpty,
  classSparseLogical,
  classSparseComplex,
  numValueClasses,
};

// Shapes stay small: a byte is taken modulo this.
constexpr uint8_t maxDimension = 6;
constexpr uint8_t maxTextLength = 24;
constexpr uint8_t maxSparseEntries = 10;
constexpr uint8_t maxCellLength = 4;
constexpr uint8_t maxStructElements = 4;
constexpr uint8_t maxStructFields = 8;
constexpr uint8_t maxModelFields = 14;
constexpr uint8_t maxParamFields = 8;
constexpr int maxDepth = 3;

// Numbers: a byte picks one of these; rawNumber is followed by 8 bytes of an
// IEEE double.
constexpr uint8_t rawNumber = 0xFF;
extern const double numberPalette[];
extern const size_t numberPaletteSize;

// Characters: bytes below 0x80 are themselves; above, they pick one of these
// (16-bit host characters included).
extern const char16_t charPalette[];
extern const size_t charPaletteSize;

// Field names: the model's own, those of its element structures, and a few
// the module does not know.
extern const char *const modelNames[];
extern const size_t modelNamesSize;
extern const char *const elementNames[];
extern const size_t elementNamesSize;
// Parameter field names: every table name with "/" as "_", and unknowns.
const char *paramName(uint8_t byte);
size_t paramNamesSize();

}  // namespace fuzzformat

#endif
