#include "platform/FileCalls.h"

#include <fcntl.h>
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

int FileCalls::rename(const char* from, const char* to)
{
    return ::rename(from, to);
}

int FileCalls::mkdir(const char* path, mode_t mode)
{
    return ::mkdir(path, mode);
}

} // namespace kelvaro
