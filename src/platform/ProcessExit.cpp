#include "platform/ProcessExit.h"

#include <cstdio>
#include <unistd.h>

namespace kelvaro {

void exitImmediately(int code)
{
    std::fflush(nullptr);
    ::_exit(code);
}

} // namespace kelvaro
