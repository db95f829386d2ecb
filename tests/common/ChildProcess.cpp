#include "ChildProcess.h"

#include "platform/ProcessSignals.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

bool writeAll(int fd, const QByteArray& bytes) {
    for (qsizetype sent = 0, n = 0; sent < bytes.size(); sent += n) {
        n = ::write(fd, bytes.constData() + sent, size_t(bytes.size() - sent));
        if (n <= 0) {
            return false;
        }
    }
    return true;
}

Child::Child(const Body& body, bool withStandardError) {
    int toParent[2] = {-1, -1};
    int toChild[2] = {-1, -1};
    if (::pipe(toParent) == 0 && ::pipe(toChild) == 0 && (m_pid = ::fork()) == 0) {
        ::close(toParent[0]);
        ::close(toChild[1]);
        if (withStandardError) {
            ::dup2(toParent[1], STDERR_FILENO);
        }
        ::_exit(body(toParent[1], toChild[0]));
    }
    for (int fd : {toParent[1], toChild[0]}) {
        ::close(fd);
    }
    m_out = toParent[0];
    m_in = toChild[1];
}

Child::~Child() {
    for (int fd : {m_in, m_out}) {
        ::close(fd);
    }
    if (m_pid > 0) {
        ::waitpid(m_pid, nullptr, 0);
    }
}

QByteArray Child::readOutput() {
    char buffer[4096];
    for (ssize_t n; m_pid > 0 && (n = ::read(m_out, buffer, sizeof buffer)) > 0;) {
        m_output.append(buffer, qsizetype(n));
    }
    return m_output;
}

bool Child::tell(char byte) {
    const bool told = m_pid > 0 && ::write(m_in, &byte, 1) == 1;
    ::close(m_in);
    m_in = -1;
    return told;
}

bool Child::waitUnreaped() {
    siginfo_t info{};
    return m_pid > 0 && ::waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOWAIT) == 0;
}

ChildEnd Child::reap() {
    ChildEnd end;
    end.output = readOutput();
    int status = 0;
    if (m_pid > 0 && ::waitpid(m_pid, &status, 0) == m_pid) {
        end.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    m_pid = -1;
    return end;
}

ChildEnd runInChild(const std::function<int(int out)>& body, bool withStandardError) {
    return Child([&body](int out, int) { return body(out); }, withStandardError).reap();
}

void fileSizeSignalAsTheProgramStarts() {
    std::signal(SIGXFSZ, SIG_DFL);
    Ignore_File_Size_Signal();
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    rlimit limit = m_old;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
}

} // namespace testsupport
