// The conversions the schedule runs a few thousand times per calculation.
#include <benchmark/benchmark.h>

#include <array>

#include "loan/LoanTerms.h"
#include "text/NumberText.h"

namespace {

using text::Extended;

constexpr std::array<Extended, 8> kAmounts = {599.5505251527L, 99900.45L, 0.005L,       -463.34L,
                                              215838.19L,      2.675L,    1234567.891L, 1e-13L};

void BM_FormatAmount(benchmark::State& state) {
    char buffer[text::kNumberTextCapacity];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::FormatAmountTo(buffer, kAmounts[i++ % kAmounts.size()],
                                                      text::AmountPattern::Plain));
    }
}
BENCHMARK(BM_FormatAmount);

void BM_FormatMoney(benchmark::State& state) {
    char buffer[text::kNumberTextCapacity];
    std::size_t i = 0;
    for (auto _ : state) {
        const text::Real6 money = text::Real6::Narrow(kAmounts[i++ % kAmounts.size()]);
        benchmark::DoNotOptimize(text::FormatMoneyTo(buffer, money));
    }
}
BENCHMARK(BM_FormatMoney);

// Money as a schedule forms it: balances and interest with no decimal ties among them.
void BM_FormatMoneyScheduleValues(benchmark::State& state) {
    std::array<Extended, 64> values{};
    Extended balance = 100000;
    for (auto& value : values) {
        value = balance * 0.005L;
        balance = (balance - 599.55052515275L) + value;
    }
    char buffer[text::kNumberTextCapacity];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            text::FormatMoneyTo(buffer, text::Real6::Narrow(values[i++ % values.size()])));
    }
}
BENCHMARK(BM_FormatMoneyScheduleValues);

void BM_TextToNumber(benchmark::State& state) {
    constexpr std::array<std::string_view, 6> texts = {"99900.45", "0.00",   "1000",
                                                       " 12.5 ",   "599.55", "1e3"};
    std::size_t i = 0;
    for (auto _ : state) {
        Extended value = 0;
        benchmark::DoNotOptimize(text::TryTextToNumber(texts[i++ % texts.size()], value));
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_TextToNumber);

void BM_NumberToText(benchmark::State& state) {
    constexpr std::array<Extended, 4> values = {45323.0L, 45323.660358217596L, 0.00001L, 1e20L};
    char buffer[text::kNumberTextCapacity];
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::NumberToTextTo(buffer, values[i++ % values.size()]));
    }
}
BENCHMARK(BM_NumberToText);

void BM_CalcPayment(benchmark::State& state) {
    const text::Real6 principal = text::Real6::Narrow(100000);
    const text::Real6 rate = text::Real6::Narrow(0.005L);
    for (auto _ : state) {
        benchmark::DoNotOptimize(loan::CalcPayment(principal, rate, 360));
    }
}
BENCHMARK(BM_CalcPayment);

}  // namespace

namespace {
void BM_NarrowWiden(benchmark::State& state) {
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(text::Real6::Narrow(kAmounts[i++ % kAmounts.size()]).Widen());
    }
}
BENCHMARK(BM_NarrowWiden);
}  // namespace
