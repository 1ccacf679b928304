#pragma once

#include <sys/types.h>

struct stat;

namespace kelvaro {

/**
 * The low-level file calls the settings store makes to read and change its file. Each one behaves like the
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
    virtual ssize_t read(int fd, void* buffer, size_t size);
    virtual ssize_t write(int fd, const void* data, size_t size);
    virtual int fsync(int fd);
    virtual int close(int fd);
    virtual int fstat(int fd, struct stat* info);
    virtual int stat(const char* path, struct stat* info);
    virtual int lstat(const char* path, struct stat* info);
    virtual ssize_t readlink(const char* path, char* buffer, size_t size);
    virtual int flock(int fd, int operation);
    virtual int fchmod(int fd, mode_t mode);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
    virtual int mkdir(const char* path, mode_t mode);
};

} // namespace kelvaro
