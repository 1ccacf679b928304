#pragma once

#include "platform/FileCalls.h"

#include <cerrno>
#include <map>
#include <utility>

namespace kelvaro::test {

/**
 * The system's file calls, except that chosen calls fail: failAt(kind, n, code) makes the n-th
 * call of that kind (counted from 1 since the last reset) fail with errno `code`, and with
 * `andAfter` every later call of that kind too. A failing close closes the descriptor all the
 * same, as Linux does. With `shortWrites` each write writes at most 16 bytes, as a filling disk does.
 */
class FaultyFileCalls : public FileCalls
{
public:
    enum class Call {
        Open,
        MakeTemp,
        Read,
        Write,
        Fsync,
        Close,
        Fstat,
        Stat,
        Lstat,
        Flock,
        Fchmod,
        Rename,
        Unlink,
        Mkdir
    };

    bool shortWrites = false;

    void failAt(Call kind, int nth, int code, bool andAfter = false) { m_faults[kind] = {nth, code, andAfter}; }
    /** Forgets the faults and the counts. */
    void reset()
    {
        m_faults.clear();
        m_counts.clear();
    }
    int count(Call kind) const
    {
        const auto it = m_counts.find(kind);
        return it == m_counts.end() ? 0 : it->second;
    }

    int open(const char* path, int flags, mode_t mode) override
    {
        return failing(Call::Open) ? -1 : FileCalls::open(path, flags, mode);
    }
    int makeTemp(char* pattern, int flags) override
    {
        return failing(Call::MakeTemp) ? -1 : FileCalls::makeTemp(pattern, flags);
    }
    ssize_t read(int fd, void* buffer, size_t size) override
    {
        return failing(Call::Read) ? -1 : FileCalls::read(fd, buffer, size);
    }
    ssize_t write(int fd, const void* data, size_t size) override
    {
        if (failing(Call::Write))
            return -1;
        return FileCalls::write(fd, data, shortWrites && size > 16 ? 16 : size);
    }
    int fsync(int fd) override { return failing(Call::Fsync) ? -1 : FileCalls::fsync(fd); }
    int close(int fd) override
    {
        const bool fails = failing(Call::Close);
        const int code = errno;
        const int result = FileCalls::close(fd);
        errno = code;
        return fails ? -1 : result;
    }
    int fstat(int fd, struct stat* info) override { return failing(Call::Fstat) ? -1 : FileCalls::fstat(fd, info); }
    int stat(const char* path, struct stat* info) override
    {
        return failing(Call::Stat) ? -1 : FileCalls::stat(path, info);
    }
    int lstat(const char* path, struct stat* info) override
    {
        return failing(Call::Lstat) ? -1 : FileCalls::lstat(path, info);
    }
    int flock(int fd, int operation) override { return failing(Call::Flock) ? -1 : FileCalls::flock(fd, operation); }
    int fchmod(int fd, mode_t mode) override { return failing(Call::Fchmod) ? -1 : FileCalls::fchmod(fd, mode); }
    int rename(const char* from, const char* to) override
    {
        return failing(Call::Rename) ? -1 : FileCalls::rename(from, to);
    }
    int unlink(const char* path) override { return failing(Call::Unlink) ? -1 : FileCalls::unlink(path); }
    int mkdir(const char* path, mode_t mode) override
    {
        return failing(Call::Mkdir) ? -1 : FileCalls::mkdir(path, mode);
    }

private:
    struct Fault
    {
        int nth;
        int code;
        bool andAfter;
    };

    /** Counts the call; true (with errno set) when it is to fail. */
    bool failing(Call kind)
    {
        const int number = ++m_counts[kind];
        const auto it = m_faults.find(kind);
        if (it == m_faults.end() || number < it->second.nth || (number > it->second.nth && !it->second.andAfter))
            return false;
        errno = it->second.code;
        return true;
    }

    std::map<Call, Fault> m_faults;
    std::map<Call, int> m_counts;
};

} // namespace kelvaro::test
