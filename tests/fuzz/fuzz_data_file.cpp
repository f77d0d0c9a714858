// libFuzzer target of the data file reader: any bytes are refused with a message or decode to a file
// that encodes, and whose encoding decodes to the same file and encodes to the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/data_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessary;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TextFileReader reader = TextFileReader::FromBytes(bytes, "fuzz.tsy");
    const DecodedDataFile decoded = DecodeDataFile(reader);
    if (!decoded.ok()) {
        if (decoded.failure.message.empty()) std::abort();
        return 0;
    }
    const std::optional<std::string> first = EncodeDataFileBytes(*decoded.file);
    if (!first) std::abort();
    TextFileReader again = TextFileReader::FromBytes(*first, "fuzz.tsy");
    const DecodedDataFile redecoded = DecodeDataFile(again);
    if (!redecoded.ok()) std::abort();
    const std::optional<std::string> second = EncodeDataFileBytes(*redecoded.file);
    if (!second || *second != *first) std::abort();
    return 0;
}
