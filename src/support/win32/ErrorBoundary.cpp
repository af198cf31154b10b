#include "support/win32/ErrorBoundary.h"

#include <windows.h>

#include <exception>
#include <utility>

#include "support/MessageBoxes.h"

namespace tsy::win32 {

namespace {

// The fallback for a process that installed nothing: an owner-less box, so
// the text is at least seen.
void ShowPlainError(std::string_view text) {
    std::string copy(text);
    MessageBoxA(nullptr, copy.c_str(), "Error", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

TErrorHandler& CurrentHandler() {
    static TErrorHandler handler = ShowPlainError;
    return handler;
}

} // namespace

TErrorHandler SetErrorHandler(TErrorHandler handler) {
    if (!handler)
        handler = ShowPlainError;
    return std::exchange(CurrentHandler(), std::move(handler));
}

TErrorHandler MessageBoxErrorHandler(IMessageBoxes& boxes) {
    return [&boxes](std::string_view text) { boxes.Error(text); };
}

void ReportCurrentException() noexcept {
    try {
        std::string text;
        try {
            throw;
        } catch (const std::exception& e) {
            text = e.what();
        } catch (...) {
            text = "Unknown error.";
        }
        // A copy, so a handler that replaces itself while running stays alive.
        TErrorHandler handler = CurrentHandler();
        handler(text);
    } catch (...) {
        // Nothing sensible is left to do with an error about an error.
    }
}

} // namespace tsy::win32
