#include "platform/ProcessExit.h"

#include <unistd.h>

#include <cstdio>

namespace kelvaro {

void exitImmediately(int code)
{
    std::fflush(nullptr);
    ::_exit(code);
}

} // namespace kelvaro
