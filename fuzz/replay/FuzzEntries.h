#pragma once
// The entry points of the fuzz targets as the replay test links them: each
// target file's LLVMFuzzerTestOneInput renamed card_fuzz_<target>.

#include <cstddef>
#include <cstdint>

extern "C" {
int card_fuzz_design_file(const uint8_t* data, size_t size);
int card_fuzz_keyed_unarchiver(const uint8_t* data, size_t size);
int card_fuzz_pasteboard(const uint8_t* data, size_t size);
int card_fuzz_xlsx(const uint8_t* data, size_t size);
int card_fuzz_text_import(const uint8_t* data, size_t size);
int card_fuzz_workbook_xml(const uint8_t* data, size_t size);
}
