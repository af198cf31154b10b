#include "support/StartupTrace.h"

namespace tsy {

namespace {
TStartupStepSink sink = nullptr;
} // namespace

void TraceStartupTo(TStartupStepSink to) noexcept {
    sink = to;
}

void MarkStartupStep(const char* step) noexcept {
    if (sink)
        sink(step);
}

} // namespace tsy
