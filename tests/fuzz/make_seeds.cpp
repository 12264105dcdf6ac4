// Writes the seed corpus into the folder given as the only argument: one
// input per model class the unit tests build (linear, integer, quadratic,
// quadratic constraints, SOS, indicators, semidefinite) plus parameter sets,
// so fuzzing starts from calls that get all the way through.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "fuzz_format.h"
#include "seed_writer.h"

using namespace seed;
using fuzzformat::flagInterrupt;
using fuzzformat::flagLog;
using fuzzformat::flagParams;

namespace {

Fields linear() {
  return {{"A", sparse(2, 3, {{0, 0, 1}, {0, 1, 2}, {1, 1, 1}, {1, 2, 3}})},
          {"obj", row({1, 1, 2})},
          {"rhs", row({4, 5})},
          {"lhsorsense", text("<>")},
          {"lb", row({0, 0, 0})},
          {"ub", row({10, 10, 1e20})}};
}

Fields with(Fields fields, std::vector<std::pair<std::string, Bytes>> more) {
  for (auto &field : more) {
    fields.push_back(std::move(field));
  }
  return fields;
}

std::vector<std::pair<std::string, Bytes>> seeds() {
  Bytes symmetric = sparse(2, 2, {{0, 0, 1}, {1, 0, 0.5}, {0, 1, 0.5}});
  return {
      {"lp", input(0, 0, linear())},
      {"lp_ranged", input(0, 0,
                          with(linear(), {{"modelsense", text("max")},
                                          {"objcon", scalar(3)}}))},
      {"lp_names",
       input(0, 0,
             with(linear(),
                  {{"varnames", cell({text("x"), text("y"), text("z")})},
                   {"constrnames", cell({text("c1"), text("c2")})},
                   {"modelname", text("seed")}}))},
      {"milp", input(0, flagLog,
                     with(linear(), {{"vtype", text("IBC")},
                                     {"start", row({1, 0, 0})}}))},
      {"qp",
       input(0, 0,
             with(linear(), {{"Q", sparse(3, 3, {{0, 0, 2}, {1, 1, 1}})}}))},
      {"quadcon",
       input(
           0, 0,
           with(linear(),
                {{"quadcon",
                  structArray(
                      {"Qrow", "Qcol", "Qval", "q", "rhs", "lhsorsense"},
                      {{row({1, 2}), row({1, 2}), row({1, 1}),
                        sparse(1, 3, {{0, 2, 1}}), scalar(4), text("<")},
                       {row({1}), row({3}), row({1}), {}, scalar(2), {}}})}}))},
      {"sos",
       input(0, 0,
             with(linear(), {{"sos", structArray({"type", "index", "weight"},
                                                 {{scalar(1), row({1, 2}),
                                                   row({1, 2})}})}}))},
      {"genconind",
       input(0, 0,
             with(linear(),
                  {{"vtype", text("BCC")},
                   {"genconind",
                    structArray({"binvar", "binval", "a", "sense", "rhs"},
                                {{scalar(1), scalar(1),
                                  sparse(1, 3, {{0, 1, 1}, {0, 2, 1}}),
                                  text("<"), scalar(3)}})}}))},
      {"psd",
       input(
           0, 0,
           {{"obj", row({1})},
            {"psdvar", structArray({"obj", "name"}, {{symmetric, text("X")}})},
            {"psdcon",
             structArray(
                 {"psdmats", "indices", "linearterm", "rhs", "lhsorsense"},
                 {{cell({symmetric}), row({1}), sparse(1, 1, {{0, 0, 1}}),
                   scalar(1), text("=")}})}})},
      {"params", input(0, flagParams, linear(),
                       {{"MaxTime", scalar(0.05)},
                        {"LogToConsole", scalar(0)},
                        {"MIP_GapRel", scalar(0.01)},
                        {"Presolve", scalar(2)}})},
      {"status_infeasible", input(1, 0, linear())},
      {"status_fail", input(5, 0, linear())},
      {"interrupt", input(6, flagInterrupt | flagLog, linear())},
  };
}

}  // namespace

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s corpus-folder\n", argv[0]);
    return 2;
  }
  for (const auto &named : seeds()) {
    std::string path = std::string(argv[1]) + "/" + named.first;
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr ||
        std::fwrite(named.second.data(), 1, named.second.size(), file) !=
            named.second.size()) {
      std::perror(path.c_str());
      return 1;
    }
    std::fclose(file);
  }
  return 0;
}
