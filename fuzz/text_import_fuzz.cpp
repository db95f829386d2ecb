// The text sources of the series import: the same bytes read as a text
// file, a comma-separated file and an RTF document.

#include "dataseries/TextImport.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::startOnce();
    const QByteArray bytes = fuzz_support::bytesOf(data, size);
    for (const char* extension : {"txt", "csv", "rtf"}) {
        const QString kind = QString::fromLatin1(extension);
        (void)Text_File_Values(kind, Text_File_Content(kind, bytes));
    }
    (void)Split_Csv_Values(Decode_Text_Bytes(bytes));
    return 0;
}
