#pragma once

#include <sys/types.h>

namespace kelvaro {

/**
 * The low-level file calls the settings store makes to change its file. Each one behaves like the
 * system call of the same name: it returns -1 and sets errno on failure (EINTR included; retrying
 * is the caller's business). The base class makes the real calls; tests derive from it to fail
 * chosen calls, so that a full disk or a read-only folder can be simulated without one.
 */
class FileCalls
{
public:
    virtual ~FileCalls() = default;

    /** The calls of the operating system, shared by every store that is given no others. */
    static FileCalls& system();

    virtual int open(const char* path, int flags, mode_t mode);
    /** mkostemp: creates a unique file from `pattern` (ending in "XXXXXX", replaced in place). */
    virtual int makeTemp(char* pattern, int flags);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
    virtual int mkdir(const char* path, mode_t mode);
};

} // namespace kelvaro
