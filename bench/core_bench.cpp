// Cost of one compute click through the core: every single-value calculation, and the largest
// tables (10000 rows of FA and KAA, formatted, with and without the print job); of keeping a
// calculation in the record; and of recomputing a 返済プラン.
#include "catalogue/catalogue.h"
#include "compute/flow.h"
#include "compute/record.h"
#include "schedule/plan.h"
#include "support/worked_examples.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

void singleValue(benchmark::State& state, const kinri::examples::Example& example) {
    const std::string_view item = example.item;
    std::vector<std::string> inputs;
    for (std::string_view text : example.inputs)
        if (!text.empty()) inputs.emplace_back(text);
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

// One single-value calculation added to a record at its bound: the oldest goes.
void recordAppend(benchmark::State& state) {
    const kinri::Calculation sp = *kinri::runCalculation("SP", {"1000000", "0.05", "3"}, true).calculation;
    kinri::CalculationRecord record;
    for (std::size_t i = 0; i < kinri::CalculationRecord::kMaxEntries; ++i)
        record.append(sp);
    for (auto _ : state)
        record.append(sp);
}

// 返済プラン: 35 years of monthly payments with ten events (yearly prepayments of both kinds, rate
// changes), recomputed whole as after an edit. In whole yen with a bonus part and one change under
// the five-year rule; in the program's rounding, where every event starts a closed-form part anew,
// without them (they are whole-yen rules).
void planWithTenEvents(benchmark::State& state, kinri::plan::Rounding rounding) {
    using namespace kinri::plan;
    const bool yen = rounding == Rounding::Yen;
    Plan plan;
    plan.loan = Loan{35'000'000, *Rate::percent("0.5"), 35, 12, Method::Level, 2027, 4};
    plan.rounding = rounding;
    if (yen) plan.bonus = Bonus{5'000'000};
    for (int k = 1; k <= 6; ++k)
        plan.prepayments.push_back(
            {k * 24, 300'000, k % 2 == 0 ? Prepay::ShortenTerm : Prepay::LowerPayment, 0});
    plan.rateChanges = {{61, *Rate::percent("1"), false},
                        {121, *Rate::percent("1.5"), false},
                        {181, *Rate::percent("2.5"), yen},
                        {241, *Rate::percent("2"), false}};
    for (auto _ : state) {
        const Result result = run(plan);
        benchmark::DoNotOptimize(result.totalInterest);
    }
}

int registerAll() {
    for (const kinri::examples::Example& example : kinri::examples::kExamples) {
        if (kinri::findEntry(example.item)->calc.isTable()) continue;
        benchmark::RegisterBenchmark(("single/" + std::string(example.item)).c_str(), singleValue, example);
    }
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
    benchmark::RegisterBenchmark("record/append_SP_to_1000", recordAppend);
    benchmark::RegisterBenchmark("plan/35_years_10_events", planWithTenEvents, kinri::plan::Rounding::Yen)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("plan/35_years_10_events_program", planWithTenEvents,
                                 kinri::plan::Rounding::Program)
        ->Unit(benchmark::kMicrosecond);
    return 0;
}

const int kRegistered = registerAll();

} // namespace

BENCHMARK_MAIN();
