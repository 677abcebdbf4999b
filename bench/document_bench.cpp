// Reading and writing the largest bridge (8,190 points, 8,190 lines) beside a
// plain copy of the same bytes.
#include "derived.h"
#include "document.h"
#include "file_io.h"
#include "largest_document.h"
#include "text_form.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

const std::vector<uint8_t>& largestBridge()
{
    static const std::vector<uint8_t> bytes = trv::serializeDocument(largestDocument(), true);
    return bytes;
}

void PlainCopy(benchmark::State& state)
{
    const auto& src = largestBridge();
    std::vector<uint8_t> dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}
BENCHMARK(PlainCopy);

void ReadLargestBridge(benchmark::State& state)
{
    const auto& src = largestBridge();
    trv::Document d;
    for (auto _ : state) {
        auto reason = trv::parseDocument(src, false, d);
        benchmark::DoNotOptimize(reason);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}
BENCHMARK(ReadLargestBridge);

void WriteLargestBridge(benchmark::State& state)
{
    trv::Document d;
    trv::parseDocument(largestBridge(), false, d);
    for (auto _ : state) {
        auto bytes = trv::serializeDocument(d, true);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(largestBridge().size()));
}
BENCHMARK(WriteLargestBridge);

// The text form of the same bridge, both ways.
void TextOfLargestBridge(benchmark::State& state)
{
    trv::Document d;
    trv::parseDocument(largestBridge(), false, d);
    for (auto _ : state) {
        auto text = trv::documentToText(d, false);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(largestBridge().size()));
}
BENCHMARK(TextOfLargestBridge)->Unit(benchmark::kMicrosecond);

void LargestBridgeFromText(benchmark::State& state)
{
    trv::Document d;
    trv::parseDocument(largestBridge(), false, d);
    const std::string text = trv::documentToText(d, false);
    for (auto _ : state) {
        auto read = trv::documentFromText(text, d);
        benchmark::DoNotOptimize(read);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(largestBridge().size()));
}
BENCHMARK(LargestBridgeFromText)->Unit(benchmark::kMicrosecond);

void DeriveTablesOfLargestBridge(benchmark::State& state)
{
    trv::Document d;
    trv::parseDocument(largestBridge(), false, d);
    trv::DerivedTables t;
    for (auto _ : state) {
        trv::deriveTables(d, t);
        benchmark::DoNotOptimize(t.PointItem.data());
    }
}
BENCHMARK(DeriveTablesOfLargestBridge)->Unit(benchmark::kMicrosecond);

// The file round trip of a journal step: write the state, read it back.
void JournalFileRoundTrip(benchmark::State& state)
{
    const std::string path = "/tmp/trv_bench_journal.TMP";
    trv::Document d;
    for (auto _ : state) {
        trv::writeFileSafely(path, largestBridge(), nullptr, trv::Durability::Cached);
        auto bytes = trv::readFileBytes(path);
        benchmark::DoNotOptimize(bytes->data());
    }
    std::remove(path.c_str());
}
BENCHMARK(JournalFileRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
