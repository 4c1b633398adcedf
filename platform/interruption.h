#pragma once
// Ctrl+C, SIGTERM and SIGHUP during a transfer of zor-cli: the transfer stops cleanly (the receiver is
// told to stop, the port closed, the output file left as it was) instead of the process dying.
namespace zor::platform {

// From now on SIGINT, SIGTERM and SIGHUP only set a mark, and end any call that waits (which
// then fails with EINTR: the caller looks at the mark).
void intercepterInterruptions();
// The signal received since, or 0.
int interruptionRecue();
// Forgets it: a test that raised one leaves the next as it found it.
void oublierInterruption();

}  // namespace zor::platform
