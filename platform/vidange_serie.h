#pragma once
// A serial device keeps the bytes written to it in a queue and sends them at the line's speed.
// Closing it (or restoring its settings) while that queue is not empty cuts the last sentence,
// so the port waits here first.
#include <chrono>

namespace zor::platform {

// What the system calls an open device: a HANDLE on Windows, a file descriptor elsewhere.
#ifdef _WIN32
using PoigneeSerie = void*;
#else
using PoigneeSerie = int;
#endif

// Blocks until the device has sent everything (FlushFileBuffers on Windows, tcdrain
// elsewhere); the wait lasts no longer than the queue needs at `bauds` plus a margin. False
// when the queue would not empty (a line held by flow control) or the device refused; on
// Windows GetLastError() then tells why.
bool viderSortie(PoigneeSerie poignee, int bauds);

}  // namespace zor::platform
