#pragma once
// A forked copy of the test process, for what must happen in a process of its
// own: a save stopped by a kill, a file-size limit, another running copy of
// the program. Also the file-size limit itself.

#include <QByteArray>
#include <functional>
#include <sys/resource.h>
#include <sys/types.h>

namespace testsupport {

// How a child process ended and what it sent back.
struct ChildEnd {
    int exitCode = -1; // -1: it did not end by itself
    int signal = 0;    // the signal that ended it, if one did
    QByteArray output;
};

// Writes all of `bytes` to `fd`; false when it could not.
bool writeAll(int fd, const QByteArray& bytes);

class Child {
public:
    // The child runs `body` with the write end of a pipe to this process
    // (its standard error too when `withStandardError`) and the read end of
    // a pipe from it, then exits with what `body` answers. The destructor
    // closes the pipes and waits for the child.
    using Body = std::function<int(int out, int in)>;
    explicit Child(const Body& body, bool withStandardError = false);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Everything the child sends until it closes its output or ends.
    QByteArray readOutput();
    // Sends one byte and closes the child's input.
    bool tell(char byte);
    // Waits for the child's end, leaving it a zombie until reaped.
    bool waitUnreaped();
    ChildEnd reap();

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_in = -1;
    QByteArray m_output;
};

// Runs `body` in a child to its end.
ChildEnd runInChild(const std::function<int(int out)>& body, bool withStandardError = false);

// In a child: the signal of a write past the file-size limit at its default,
// as a shell starts the program, then the program's own start-up step for it.
void fileSizeSignalAsTheProgramStarts();

// Writes of this process past `bytes` fail while the object lives (with
// EFBIG: the tests, as the program, ignore the signal such a write raises).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
};

} // namespace testsupport
