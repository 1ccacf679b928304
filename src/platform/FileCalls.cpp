#include "platform/FileCalls.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace kelvaro {

FileCalls& FileCalls::system()
{
    static FileCalls calls;
    return calls;
}

int FileCalls::open(const char* path, int flags, mode_t mode)
{
    return ::open(path, flags, mode);
}

int FileCalls::makeTemp(char* pattern, int flags)
{
    return ::mkostemp(pattern, flags);
}

ssize_t FileCalls::read(int fd, void* buffer, size_t size)
{
    return ::read(fd, buffer, size);
}

ssize_t FileCalls::write(int fd, const void* data, size_t size)
{
    return ::write(fd, data, size);
}

int FileCalls::fsync(int fd)
{
    return ::fsync(fd);
}

int FileCalls::close(int fd)
{
    return ::close(fd);
}

int FileCalls::fstat(int fd, struct stat* info)
{
    return ::fstat(fd, info);
}

int FileCalls::stat(const char* path, struct stat* info)
{
    return ::stat(path, info);
}

int FileCalls::lstat(const char* path, struct stat* info)
{
    return ::lstat(path, info);
}

ssize_t FileCalls::readlink(const char* path, char* buffer, size_t size)
{
    return ::readlink(path, buffer, size);
}

int FileCalls::flock(int fd, int operation)
{
    return ::flock(fd, operation);
}

int FileCalls::fchmod(int fd, mode_t mode)
{
    return ::fchmod(fd, mode);
}

int FileCalls::rename(const char* from, const char* to)
{
    return ::rename(from, to);
}

int FileCalls::unlink(const char* path)
{
    return ::unlink(path);
}

int FileCalls::mkdir(const char* path, mode_t mode)
{
    return ::mkdir(path, mode);
}

} // namespace kelvaro
