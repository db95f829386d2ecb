// The design-file reader: the bytes of a design file decoded and checked
// into the staging value that opening a design applies. A file that reads
// must also save and read again, as it does when the user saves it.

#include "fuzz/FuzzSupport.h"
#include "mainwindow/controller/DesignFile.h"

#include <cstdlib>
#include <exception>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::startOnce();
    try {
        const auto content = design_file::Read_Design_Bytes(fuzz_support::bytesOf(data, size));
        if (!content) {
            return 0;
        }
        const QByteArray saved = design_file::Design_Array(*content).toBytes(PlistFormat::Xml);
        QString reason;
        if (!design_file::Read_Design_Bytes(saved, &reason)) {
            std::abort(); // an opened design would not open again after saving
        }
    } catch (const std::exception&) {
        // The program reports these as a corrupt file.
    }
    return 0;
}
