// Writes fuzz inputs in the decoder's byte format, for the seed corpus.
#ifndef KORVA_FUZZ_SEED_WRITER_H
#define KORVA_FUZZ_SEED_WRITER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace seed {

using Bytes = std::vector<uint8_t>;
using Fields = std::vector<std::pair<std::string, Bytes>>;

struct Entry {
  uint8_t row;
  uint8_t col;
  double value;
};

Bytes scalar(double value);
Bytes dense(uint8_t rows, uint8_t cols, std::vector<double> columnMajor);
Bytes row(std::vector<double> values);
Bytes sparse(uint8_t rows, uint8_t cols, std::vector<Entry> entries);
Bytes text(const std::string &value);
Bytes cell(std::vector<Bytes> values);
// One element per inner list; an empty Bytes leaves that field unset.
Bytes structArray(std::vector<std::string> names,
                  std::vector<std::vector<Bytes>> elements);

// A whole input: status index into fuzzformat::statuses, header flags, the
// model's fields and, with flagParams, the parameters' fields.
Bytes input(uint8_t statusIndex, uint8_t flags, const Fields &model,
            const Fields &params = {});

}  // namespace seed

#endif
