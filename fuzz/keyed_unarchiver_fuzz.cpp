// The keyed unarchiver: an archive's structure checked, its root built by
// the class it names (every card object class and the page record are
// known) or read as a value, and a built object archived again.

#include "editor/model/Card_Property.h"
#include "editor/model/SKTGraphic.h"
#include "fuzz/FuzzSupport.h"
#include "platform/KeyedArchiver.h"
#include "platform/KeyedUnarchiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::startOnce();
    SKTGraphic::registerArchiveClasses();
    Card_Property::registerArchiveClass();
    const auto coder = KeyedUnarchiver::fromData(fuzz_support::bytesOf(data, size));
    if (!coder) {
        return 0;
    }
    (void)coder->rootClassName();
    if (const auto object = coder->decodeRootObject()) {
        (void)KeyedArchiver::archivedData(*object);
    }
    if (const auto value = coder->decodeRootValue()) {
        (void)KeyedArchiver::archivedRootValue(*value);
    }
    return 0;
}
