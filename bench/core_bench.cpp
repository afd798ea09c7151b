// Cost of one compute click through the core: every single-value calculation, and the largest
// tables (10000 rows of FA and KAA, formatted, with and without the print job).
#include "catalogue/catalogue.h"
#include "compute/flow.h"

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace {

const std::map<std::string_view, std::vector<std::string>>& workedInputs() {
    static const std::map<std::string_view, std::vector<std::string>> kInputs{
        {"SP", {"1000000", "0.05", "3"}},
        {"SR", {"1150", "1000", "3"}},
        {"SA2", {"1000000", "0.05", "2"}},
        {"SR2", {"1000000", "900000", "2"}},
        {"SC", {"900000", "0.05", "2"}},
        {"SR3", {"0.03", "0.04", "0.01", "1"}},
        {"FR", {"1157.625", "1000", "3"}},
        {"FN", {"2000", "1000", "0.05"}},
        {"FC", {"1157.625", "0.05", "3"}},
        {"TH", {"10000", "12", "0.001"}},
        {"TT", {"120780", "12", "0.001"}},
        {"TR", {"120780", "10000", "12"}},
        {"TA", {"10000", "0.01", "12"}},
        {"TC", {"10000", "0.01", "12"}},
        {"TC2", {"128093.2804332895", "0.01", "12"}},
        {"TN", {"200000", "0.01", "10000"}},
        {"TA2", {"10000", "0.01", "12", "0.02"}},
        {"TA3", {"142830.9320748815", "0.01", "0.02", "12"}},
        {"NC", {"100000", "0.05", "10"}},
        {"NA", {"1000000", "0.05", "10"}},
        {"NN", {"100000", "500000", "0.05"}},
        {"NC2", {"100000", "0.02", "0.05", "10"}},
        {"NN2", {"1000000", "100000", "0.02", "0.05"}},
        {"KAP", {"1200000", "12", "0.005"}},
        {"KA2C", {"1000000", "0.01", "12"}},
        {"KA2N", {"88848.79", "1000000", "0.01"}},
        {"KA2P", {"88848.79", "0.01", "12"}},
        {"KA3A", {"1000000", "0.01", "12"}},
        {"KA3C", {"1000000", "0.01", "12", "12"}},
        {"KA3R", {"0.01", "12"}},
        {"KA4C", {"1000000", "0.01", "0.005", "12"}},
        {"KA4A", {"86482.97", "0.01", "0.005", "12"}},
        {"KA4N", {"1000000", "0.01", "0.005", "86482.97"}},
    };
    return kInputs;
}

void singleValue(benchmark::State& state, std::string_view item) {
    const auto& inputs = workedInputs().at(item);
    for (auto _ : state) {
        auto out = kinri::runCalculation(item, inputs, false);
        benchmark::DoNotOptimize(out);
    }
}

void table(benchmark::State& state, std::string_view item, std::vector<std::string> inputs, bool print) {
    for (auto _ : state) {
        auto out = kinri::runCalculation(item, inputs, print);
        benchmark::DoNotOptimize(out);
    }
}

int registerAll() {
    for (const auto& [item, inputs] : workedInputs())
        benchmark::RegisterBenchmark(("single/" + std::string(item)).c_str(), singleValue, item);
    benchmark::RegisterBenchmark("table/FA_10000", table, "FA",
                                 std::vector<std::string>{"1000", "0.0001", "10000"}, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("table/FA_10000_printed", table, "FA",
                                 std::vector<std::string>{"1000", "0.0001", "10000"}, true)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("table/KAA_10000", table, "KAA",
                                 std::vector<std::string>{"1200000", "10000", "0.005"}, false)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("table/KAA_10000_printed", table, "KAA",
                                 std::vector<std::string>{"1200000", "10000", "0.005"}, true)
        ->Unit(benchmark::kMicrosecond);
    return 0;
}

const int kRegistered = registerAll();

} // namespace

BENCHMARK_MAIN();
