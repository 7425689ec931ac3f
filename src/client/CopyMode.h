#pragma once

namespace tolvar {

// The second half of the self-update: wait for the starting client to end, put the staged
// client in place of the client's own executable, and start it. No window, no checks.
void RunCopyMode();

}  // namespace tolvar
