// Any bytes through the Rich Text reader: it must end without a fault, and what it
// read must survive being written and read again.

#include "rtf/RtfDocument.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quantrel::rtf;
    const Document read = ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    const Document again = ReadRtf(WriteRtf(read));
    if (PlainLines(again) != PlainLines(read))
        std::abort();
    return 0;
}
