// Additions to a model. Quadratic constraints count in "NumConss" and
// semidefinite variables in "NumPsdVars"; the rest is only recorded.
#include <string>
#include <vector>

#include "fake_render.h"
#include "fake_state.h"

using fake::checkModel;
using fake::record;
using fake::renderDouble;
using fake::renderDoubles;
using fake::renderInt;
using fake::renderInts;
using fake::renderModel;
using fake::renderSense;
using fake::renderText;
using fake::withModel;

namespace {

// The arguments both semidefinite constraint calls share, in their order.
std::vector<std::string> renderPsdTerms(
    KVAmodel model, int numLinear, int numPsdTerms, int numEntries,
    const int *linearIdx, const double *linearVals, const int *psdVarIdx,
    const int *matBegin, const int *flatIdx, const double *vals) {
  return {renderModel(model),
          renderInt(numLinear),
          renderInt(numPsdTerms),
          renderInt(numEntries),
          renderInts(linearIdx, numLinear),
          renderDoubles(linearVals, numLinear),
          renderInts(psdVarIdx, numPsdTerms),
          renderInts(matBegin, numPsdTerms + 1),
          renderInts(flatIdx, numEntries),
          renderDoubles(vals, numEntries)};
}

}  // namespace

extern "C" {

int KVAaddqpterms(KVAmodel model, int numTerms, const int *rowIdx,
                  const int *colIdx, const double *vals) {
  return checkModel(
      record("KVAaddqpterms",
             {renderModel(model), renderInt(numTerms),
              renderInts(rowIdx, numTerms), renderInts(colIdx, numTerms),
              renderDoubles(vals, numTerms)}),
      model);
}

int KVAaddqconstr(KVAmodel model, int numLinear, const int *linearIdx,
                  const double *linearVals, int numQuad, const int *quadRow,
                  const int *quadCol, const double *quadVals, int sense,
                  double rhs, const char *name) {
  int code = record(
      "KVAaddqconstr",
      {renderModel(model), renderInt(numLinear),
       renderInts(linearIdx, numLinear), renderDoubles(linearVals, numLinear),
       renderInt(numQuad), renderInts(quadRow, numQuad),
       renderInts(quadCol, numQuad), renderDoubles(quadVals, numQuad),
       renderSense(sense), renderDouble(rhs), renderText(name)});
  if (code != KVA_OK) {
    return code;
  }
  return withModel(model, [](KVAmodel m) {
    ++m->numConss;
    return KVA_OK;
  });
}

int KVAaddsos(KVAmodel model, int numSos, int numMembers, const int *types,
              const int *begins, const int *indices, const double *weights) {
  return checkModel(
      record("KVAaddsos",
             {renderModel(model), renderInt(numSos), renderInt(numMembers),
              renderInts(types, numSos), renderInts(begins, numSos + 1),
              renderInts(indices, numMembers),
              renderDoubles(weights, numMembers)}),
      model);
}

int KVAaddgenconstrIndicator(KVAmodel model, const char *name, int binVar,
                             int binVal, int numLinear, const int *linearIdx,
                             const double *linearVals, int sense, double rhs) {
  return checkModel(
      record("KVAaddgenconstrIndicator",
             {renderModel(model), renderText(name), renderInt(binVar),
              renderInt(binVal), renderInt(numLinear),
              renderInts(linearIdx, numLinear),
              renderDoubles(linearVals, numLinear), renderSense(sense),
              renderDouble(rhs)}),
      model);
}

int KVAaddpsdvar(KVAmodel model, int dim, int numEntries, const int *flatIdx,
                 const double *vals, const char *name) {
  int code = record("KVAaddpsdvar",
                    {renderModel(model), renderInt(dim), renderInt(numEntries),
                     renderInts(flatIdx, numEntries),
                     renderDoubles(vals, numEntries), renderText(name)});
  if (code != KVA_OK) {
    return code;
  }
  return withModel(model, [](KVAmodel m) {
    ++m->numPsdVars;
    return KVA_OK;
  });
}

int KVAaddpsdconstr(KVAmodel model, int numLinear, int numPsdTerms,
                    int numEntries, const int *linearIdx,
                    const double *linearVals, const int *psdVarIdx,
                    const int *matBegin, const int *flatIdx, const double *vals,
                    int sense, double rhs, const char *name) {
  std::vector<std::string> args =
      renderPsdTerms(model, numLinear, numPsdTerms, numEntries, linearIdx,
                     linearVals, psdVarIdx, matBegin, flatIdx, vals);
  args.insert(args.end(),
              {renderSense(sense), renderDouble(rhs), renderText(name)});
  return checkModel(record("KVAaddpsdconstr", args), model);
}

int KVAaddrangepsdconstr(KVAmodel model, int numLinear, int numPsdTerms,
                         int numEntries, const int *linearIdx,
                         const double *linearVals, const int *psdVarIdx,
                         const int *matBegin, const int *flatIdx,
                         const double *vals, double lhs, double rhs,
                         const char *name) {
  std::vector<std::string> args =
      renderPsdTerms(model, numLinear, numPsdTerms, numEntries, linearIdx,
                     linearVals, psdVarIdx, matBegin, flatIdx, vals);
  args.insert(args.end(),
              {renderDouble(lhs), renderDouble(rhs), renderText(name)});
  return checkModel(record("KVAaddrangepsdconstr", args), model);
}

}  // extern "C"
