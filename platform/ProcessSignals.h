#pragma once
// Signal dispositions the program sets once at start-up.

// A write past the file-size limit (`ulimit -f`) fails with EFBIG, so the
// save says "File too large" and the program keeps running, instead of the
// whole process ending with every unsaved change.
void Ignore_File_Size_Signal();
