// The pasteboard reader: the data the canvas pastes decoded into card
// objects, which are then put on the pasteboard again as a copy would.

#include "editor/model/SKTError.h"
#include "editor/model/SKTGraphic.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::startOnce();
    SKTError error;
    const auto graphics =
        SKTGraphic::graphicsWithPasteboardData(fuzz_support::bytesOf(data, size), &error);
    if (graphics) {
        (void)SKTGraphic::pasteboardDataWithGraphics(*graphics);
    }
    return 0;
}
