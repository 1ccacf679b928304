// The interface descriptions of the idle protocols, made by wayland-scanner as C code and compiled
// here as C++. The client headers come first: their declarations give the interfaces C linkage.
#include "ext-idle-notify-v1-client-header.h"
#include "idle-client-header.h"

extern "C" {
#include "ext-idle-notify-v1-private-code.h"
#include "idle-private-code.h"
}
