// libFuzzer target of the input-file readers, one per build (TESSARY_FUZZ_READER): any bytes give a
// table that keeps the readers' promises or a refusal with its message.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "colour/wavelength_set.h"
#include "files/batch_file.h"
#include "files/index_file.h"
#include "files/size_dist_file.h"
#include "files/spectrum_file.h"

namespace {

using namespace tessary;

void Check(bool ok) {
    if (!ok) std::abort();
}

[[maybe_unused]] void Batch(TextFileReader& r) {
    const BatchProgram p = ParseBatch(r);
    for (std::size_t i = 0; i < p.commands.size(); ++i) {
        const BatchCommand& c = p.commands[i];
        const bool last = i + 1 == p.commands.size();
        if (c.action == BatchAction::Invalid || c.action == BatchAction::SteppedRun) Check(last);
        if (c.action == BatchAction::SteppedRun) Check(c.runs >= 1 && c.runs <= kBatchMaxSteppedRuns);
        if (c.action == BatchAction::Invalid) Check(c.text.find(" (line ") != std::string::npos);
    }
}

[[maybe_unused]] void Spectrum(TextFileReader& r) {
    const SpectrumFileResult s = DecodeSpectrumFile(r);
    if (!s.table) {
        Check(s.message.starts_with("Error in spectrum data file") &&
              s.message.find(" (line ") != std::string::npos);
        return;
    }
    Check(s.table->count() >= 1 && s.table->wave.size() == s.table->value.size());
    for (const double v : s.table->value) Check(v >= 0);
    Check(*std::max_element(s.table->value.begin(), s.table->value.end()) >= 1e-20);
    for (std::size_t i = 2; s.table->nonUniform == 1 && i < s.table->wave.size(); ++i)
        Check(s.table->wave[i] > s.table->wave[i - 1]);
    for (const double l : {0.0, 0.38, 0.55, 0.7, 1e30})
        (void)SpectrumFileWeight(l, s.table->wave, s.table->value, s.table->nonUniform == 1);
}

[[maybe_unused]] void Index(TextFileReader& r) {
    const IndexFileResult x = DecodeIndexFile(r, "fuzz.rix");
    if (!x.table) {
        Check(x.message.starts_with("Error in refractive index data file: fuzz.rix (line "));
        return;
    }
    Check(!x.table->rows.empty() && x.table->rows.size() <= 32767 && x.table->name.size() <= 100);
    for (std::size_t i = 0; i < x.table->rows.size(); ++i) {
        Check(x.table->rows[i].n > 0.0f);
        if (i > 0) Check(x.table->rows[i].wavelength > x.table->rows[i - 1].wavelength);
    }
    (void)FileIndex(x.table->rows, 0.5);
}

[[maybe_unused]] void Sizes(TextFileReader& r) {
    const SizeDistResult d = DecodeSizeDistFile(r, "fuzz.dis");
    if (!d.table) {
        Check(d.message.starts_with("Error in radius distribution file: fuzz.dis (line "));
        return;
    }
    const std::size_t n = static_cast<std::size_t>(d.table->sizeFileCount);
    Check(n >= 1 && d.table->histWeight.size() == n + 1 && d.table->histRadius2.size() == n + 1);
    Check(d.table->histWeightSum > 0.0f);
    for (std::size_t i = 1; i <= n; ++i) {
        Check(d.table->histRadius[i] > 0.0f && d.table->histWeight[i] >= 0.0f);
        if (d.table->histUniform == 0) Check(d.table->histRadius[i] < d.table->histRadius2[i]);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TextFileReader reader = TextFileReader::FromBytes(bytes, "fuzz");
    TESSARY_FUZZ_READER(reader);
    return 0;
}
