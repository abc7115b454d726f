// Text decoding and upper-casing: any bytes decode under every encoding
// choice into as many display lines as engine lines, and upper-casing keeps a
// line's length and is idempotent.

#include "documents/cp932_text.h"
#include "documents/text_document.h"
#include "fuzz_input.h"

using namespace velmora;
using velmora::fuzz::FuzzInput;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const EncodingChoice choice = static_cast<EncodingChoice>(input.byte() % 3);
    const TextDocument document = decodeTextDocument(input.rest(), choice);
    VELMORA_FUZZ_CHECK(document.lines.size() == document.displayLines.size());
    for (const std::string& line : document.lines) {
        VELMORA_FUZZ_CHECK(line.find_first_of("\r\n") == std::string::npos);
        const std::string upper = upperCp932(line);
        VELMORA_FUZZ_CHECK(upper.size() == line.size());
        VELMORA_FUZZ_CHECK(upperCp932(upper) == upper);
    }
    return 0;
}
