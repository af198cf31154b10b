#pragma once

namespace tsy {

// The end of one step of the program's start, for the start-up benchmark's trace. Without a
// sink (every ordinary start) a mark costs one test.
using TStartupStepSink = void (*)(const char* step);
void TraceStartupTo(TStartupStepSink sink) noexcept;
void MarkStartupStep(const char* step) noexcept;

} // namespace tsy
