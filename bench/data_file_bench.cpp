// Encoding and decoding a data file of an angle graph at the finest standard grid (18001 points, 0.01
// degree) with its S1 and S2 block. Target: 50 ms or less each.
#include <benchmark/benchmark.h>

#include <string>

#include "files/data_file.h"

namespace tessary {
namespace {

DataFile FineAngleGraph() {
    DataFile f;
    f.graphText = "Intensity v. scattering angle";
    f.sphereWord = "IAPWS";
    f.method = "Mie";
    f.sphere = {"IAPWS", "5", "0.99996382125", "", 0};
    f.medium = {"Vacuum2", "", "", "", 0};
    f.inputs = {"1", "0.65", "50", "1.33257035", "0", "0", "180", "0.01"};
    f.bandMin = "380";
    f.bandMax = "700";
    f.first = 1;
    f.last = 18001;
    f.amplitudeBlock = true;
    for (int k = 1; k <= 18001; ++k) {
        const double v = 1.0 / (k + 0.123456789);
        f.values.insert(f.values.end(), {v * 12345.678, v * 0.987654321, v * 6172.8});
        f.amplitudes.insert(f.amplitudes.end(), {(k - 1) * 0.01, v, -v * 3.3, v * 1e-5, -v * 7e3});
    }
    return f;
}

void BM_EncodeDataFile(benchmark::State& state) {
    const DataFile f = FineAngleGraph();
    for (auto _ : state) {
        std::optional<std::string> bytes = EncodeDataFileBytes(f);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_EncodeDataFile)->Unit(benchmark::kMillisecond);

void BM_DecodeDataFile(benchmark::State& state) {
    const std::string bytes = EncodeDataFileBytes(FineAngleGraph()).value();
    for (auto _ : state) {
        TextFileReader reader = TextFileReader::FromBytes(bytes, "bench.tsy");
        DecodedDataFile decoded = DecodeDataFile(reader);
        benchmark::DoNotOptimize(decoded);
    }
}
BENCHMARK(BM_DecodeDataFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessary
