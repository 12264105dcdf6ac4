#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gateway/korva_error.h"
#include "model/field_read.h"
#include "model/model_arguments.h"

namespace {

// How many entries each triplet array of one element holds, and whether the
// element's last word on them came from "Qrow"/"Qcol"/"Qval" rather than
// from "Qc".
struct TripletLengths {
  int32_t rows;
  int32_t cols;
  int32_t vals;
  bool fromSubfields;
};

void emptyQuadcon(QuadconArgument *quadcon) {
  quadcon->Qc = CooMatrix{0, 0, 0, nullptr, nullptr, nullptr};
  quadcon->numq = 0;
  quadcon->qIndices = nullptr;
  quadcon->qValues = nullptr;
  quadcon->rhs = 0.0;
  quadcon->lhs = -KVA_INFINITY;
  quadcon->hasLhs = 0;
  quadcon->sense = '<';
  quadcon->name = nullptr;
}

template <typename T>
void release(T *&pointer) {
  if (pointer != nullptr) {
    mxFree(pointer);
    pointer = nullptr;
  }
}

void readQc(const char *subject, const mxArray *value, CooMatrix *Qc,
            TripletLengths *lengths) {
  if (!mxIsSparse(value)) {
    korvaError(subject, "It should be sparse.");
  }
  if (mxGetM(value) != mxGetN(value)) {
    korvaError(subject, "It should be square!");
  }
  SparseView view = viewSparse(subject, value);
  // The matrix replaces whatever triplets the element gave before it.
  releaseTripletArrays(Qc);
  matlabSparse2coo(view.nzmax, view.numCols, view.numCols, view.jc, view.ir,
                   view.vals, Qc);
  releaseSparseView(&view);
  // Without entries it keeps no arrays: free_coo would not reach them.
  if (Qc->nnz == 0) {
    releaseTripletArrays(Qc);
  }
  *lengths = TripletLengths{Qc->nnz, Qc->nnz, Qc->nnz, false};
}

void readTripletIndices(const char *subject, const mxArray *value,
                        int32_t *&indices, int32_t *length) {
  if (!mxIsDouble(value)) {
    korvaError(subject, "It should be double.");
  }
  checkDenseCopy(subject, value);
  release(indices);
  *length = int32_t(mxGetNumberOfElements(value));
  indices = static_cast<int32_t *>(mxMalloc(sizeof(int32_t) * size_t(*length)));
  readOneBasedIndices(subject, value, indices);
}

void readQuadconField(const char *field, const char *subject,
                      const mxArray *value, QuadconArgument *quadcon,
                      TripletLengths *lengths) {
  CooMatrix *Qc = &quadcon->Qc;
  if (std::strcmp(field, "Qc") == 0) {
    readQc(subject, value, Qc, lengths);
  } else if (std::strcmp(field, "rhs") == 0) {
    quadcon->rhs = readScalarDouble(subject, value);
  } else if (std::strcmp(field, "lhsorsense") == 0) {
    if (!mxIsScalar(value)) {
      korvaError(subject, "It should be scalar.");
    }
    if (mxIsDouble(value)) {
      quadcon->hasLhs = 1;
      quadcon->lhs = realScalar(subject, value);
    } else if (mxIsChar(value)) {
      quadcon->sense = firstChar(value, quadcon->sense);
    } else {
      korvaError(subject, "It should be double or char.");
    }
  } else if (std::strcmp(field, "q") == 0) {
    readLinearTerms(subject, subject, value, &quadcon->numq, &quadcon->qIndices,
                    &quadcon->qValues);
  } else if (std::strcmp(field, "name") == 0) {
    if (!mxIsChar(value)) {
      korvaError(subject, "It should be char array.");
    }
    quadcon->name = copyName(value);
  } else if (std::strcmp(field, "Qrow") == 0) {
    readTripletIndices(subject, value, Qc->rowIdx, &lengths->rows);
    lengths->fromSubfields = true;
  } else if (std::strcmp(field, "Qcol") == 0) {
    readTripletIndices(subject, value, Qc->colIdx, &lengths->cols);
    lengths->fromSubfields = true;
  } else if (std::strcmp(field, "Qval") == 0) {
    if (!mxIsDouble(value)) {
      korvaError(subject, "It should be double.");
    }
    release(Qc->vals);
    Qc->vals = copyDoubles(subject, value, &lengths->vals);
    lengths->fromSubfields = true;
  } else {
    korvaError(subject, "Invalid attribute.");
  }
}

// The triplet form's counts are its three lengths; unequal lengths are cut
// to the shortest, so the solver never reads past an array.
void settleTripletCounts(const TripletLengths &lengths, CooMatrix *Qc) {
  int32_t shortest = std::min({lengths.rows, lengths.cols, lengths.vals});
  Qc->numRows = shortest;
  Qc->numCols = shortest;
  Qc->nnz = shortest;
  if (shortest == 0) {
    releaseTripletArrays(Qc);
  }
  if (lengths.rows != shortest || lengths.cols != shortest ||
      lengths.vals != shortest) {
    korvaWarning("quadcon.qc",
                 "The lengths of the Qrow, Qcol and Qval are not equal. "
                 "Select the minimum length from among them.");
  }
}

}  // namespace

void getQuadcon(ModelArguments *arguments, const mxArray *value) {
  int numFields = mxIsStruct(value) ? mxGetNumberOfFields(value) : 0;
  int32_t count = elementCount("quadcon", value);
  QuadconArgument *quadcons = static_cast<QuadconArgument *>(
      mxMalloc(sizeof(QuadconArgument) * size_t(count)));
  for (int32_t k = 0; k < count; ++k) {
    emptyQuadcon(&quadcons[k]);
  }
  arguments->quadcons = quadcons;
  arguments->numQuadcons = count;
  for (int32_t k = 0; k < count; ++k) {
    TripletLengths lengths{0, 0, 0, false};
    for (int f = 0; f < numFields; ++f) {
      const mxArray *field = getElementField(value, mwIndex(k), f);
      if (field == nullptr) {
        continue;
      }
      const char *name = mxGetFieldNameByNumber(value, f);
      char subject[nameBufferSize];
      std::snprintf(subject, sizeof subject, "quadcon(%d).%s", int(k + 1),
                    name);
      readQuadconField(name, subject, field, &quadcons[k], &lengths);
    }
    if (lengths.fromSubfields) {
      settleTripletCounts(lengths, &quadcons[k].Qc);
    }
  }
}
