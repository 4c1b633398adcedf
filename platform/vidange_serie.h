#pragma once
// A serial device keeps the bytes written to it in a queue and sends them at the line's speed.
// Closing it (or restoring its settings) while that queue is not empty cuts the last sentence,
// so the port waits here first.
#include <chrono>

namespace zor::platform {

#ifdef _WIN32
// Blocks until the driver has sent everything (FlushFileBuffers).
bool viderSortie(void* poignee);
#else
// Blocks until the device has sent everything (tcdrain), for no longer than the queue needs at
// `bauds` plus a margin; false when the queue would not empty (a line held by flow control).
bool viderSortie(int descripteur, int bauds);
#endif

}  // namespace zor::platform
