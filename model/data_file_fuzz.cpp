// libFuzzer target for the data file reader (configure with -DCORVANE_FUZZ=ON and clang):
// no input may crash it, every 2019-byte input survives a decode/encode round trip, and an
// record that opening accepts can serve as a document and saved copy.

#include "model/data_file.h"
#include "model/document_files.h"
#include "model/model_band.h"
#include "model/new_document.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace corvane::model;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto decoded = decodeDocument(bytes); decoded && serializeDocument(*decoded) != bytes) {
        std::abort();
    }
    const ParsedDocument parsed = parseDocument(bytes);
    if (!parsed.ok() || !dataVersionForModelCode(parsed.document.radioType.modelCode.value())) {
        return 0; // opening refuses it
    }
    ModelState state;
    state.savedDocument = parsed.document;
    restoreFromSnapshot(state);
    if (documentChanged(state)) {
        std::abort();
    }
    for (int number = 1; number <= 16; ++number) {
        if (const int position = findChannel(state.document, number)) {
            static_cast<void>(channelAt(state.document, position));
        }
    }
    return 0;
}
