#pragma once

namespace tsy::win32 {

// With TESSALY_START_TRACE in the environment, each start-up step goes to the debugger output
// as "TSY-START <step>=<ms>", the time since the process was created; the first step is the
// loader's, up to this call.
void TraceStartupWhenAsked() noexcept;

} // namespace tsy::win32
