// The calculator's number conventions and tax chain per call, beside the C
// library's snprintf("%.15G") and strtod as the floor.
#include "calc/number_text.h"
#include "calc/tax_chain.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

std::vector<double> Values() {
    std::mt19937_64 random(1);
    std::uniform_real_distribution<double> market(1e3, 1e8);
    std::vector<double> values(1024);
    for (double& value : values) value = market(random);
    return values;
}

std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    for (double value : Values()) texts.push_back(NumberToText(value * 0.0123));
    return texts;
}

void NumberToTextPerCall(benchmark::State& state) {
    std::vector<double> values = Values();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(NumberToText(values[i++ & 1023]));
}

void PrintfPerCall(benchmark::State& state) {
    std::vector<double> values = Values();
    size_t i = 0;
    char buffer[64];
    for (auto _ : state) {
        std::snprintf(buffer, sizeof buffer, "%.15G", values[i++ & 1023]);
        benchmark::DoNotOptimize(buffer);
    }
}

void TextToNumberPerCall(benchmark::State& state) {
    std::vector<std::string> texts = Texts();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(TextToNumber(texts[i++ & 1023]));
}

void LeadingNumberPerCall(benchmark::State& state) {
    std::vector<std::string> texts = Texts();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(LeadingNumber(texts[i++ & 1023]));
}

void StrtodPerCall(benchmark::State& state) {
    std::vector<std::string> texts = Texts();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(std::strtod(texts[i++ & 1023].c_str(), nullptr));
}

void Round2PerCall(benchmark::State& state) {
    std::vector<double> values = Values();
    size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(Round2(values[i++ & 1023] * 0.0123));
}

class InMemoryBoxes : public ValueBoxes {
public:
    std::string Text(ValueBox box) const override { return texts_[static_cast<size_t>(box)]; }
    void SetText(ValueBox box, const std::string& text) override { texts_[static_cast<size_t>(box)] = text; }

private:
    std::string texts_[7];
};

void TaxChainPerRun(benchmark::State& state) {
    std::vector<std::string> inputs;
    for (double value : Values()) inputs.push_back(NumberToText(static_cast<double>(static_cast<long long>(value))));
    InMemoryBoxes boxes;
    size_t i = 0;
    for (auto _ : state) {
        boxes.SetText(ValueBox::b, inputs[i++ & 1023]);
        benchmark::DoNotOptimize(CalculateTaxChain(boxes));
    }
}

}  // namespace

BENCHMARK(TaxChainPerRun);
BENCHMARK(NumberToTextPerCall);
BENCHMARK(PrintfPerCall);
BENCHMARK(TextToNumberPerCall);
BENCHMARK(LeadingNumberPerCall);
BENCHMARK(StrtodPerCall);
BENCHMARK(Round2PerCall);
BENCHMARK_MAIN();
