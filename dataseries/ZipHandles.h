#pragma once
// Owning handles for minizip's reader and writer: the archive is closed when
// the handle goes, on every path.

#include <memory>
#include <minizip/unzip.h>
#include <minizip/zip.h>

struct UnzFileCloser {
    void operator()(void* file) const {
        if (file) {
            unzClose(file);
        }
    }
};
using UnzHandle = std::unique_ptr<void, UnzFileCloser>;

// A writer closed without a successful zipClose leaves a damaged file; the
// callers only rename a finished archive over its target.
struct ZipFileCloser {
    void operator()(void* file) const {
        if (file) {
            zipClose(file, nullptr);
        }
    }
};
using ZipHandle = std::unique_ptr<void, ZipFileCloser>;

// Closes the entry the reader has open, unless it was closed explicitly (the
// explicit close is where the CRC check is answered).
class UnzCurrentEntry {
public:
    explicit UnzCurrentEntry(void* file) : m_file(file) {}
    ~UnzCurrentEntry() {
        if (m_file) {
            unzCloseCurrentFile(m_file);
        }
    }
    UnzCurrentEntry(const UnzCurrentEntry&) = delete;
    UnzCurrentEntry& operator=(const UnzCurrentEntry&) = delete;

    // UNZ_OK, or UNZ_CRCERROR when the whole entry was read and its CRC differs.
    int close() {
        void* file = m_file;
        m_file = nullptr;
        return file ? unzCloseCurrentFile(file) : UNZ_OK;
    }

private:
    void* m_file;
};
