#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tsy {
class IMessageBoxes;
}

namespace tsy::win32 {

// Where an exception that escapes a window or dialog handler ends up. Window
// procedures must never let an exception reach Windows, so they catch it and
// hand its text to the application's handler. Installing a handler returns the
// previous one, so tests and nested scopes can put theirs back.
using TErrorHandler = std::function<void(std::string_view text)>;

TErrorHandler SetErrorHandler(TErrorHandler handler);

// Shows errors through the program's central error box.
TErrorHandler MessageBoxErrorHandler(IMessageBoxes& boxes);

// Call only inside a catch block: passes the current exception's text to the
// handler. Never throws; a handler that throws itself is ignored.
void ReportCurrentException() noexcept;

// Restores the previous handler when it goes out of scope.
class TScopedErrorHandler {
public:
    explicit TScopedErrorHandler(TErrorHandler handler) : previous_(SetErrorHandler(std::move(handler))) {}
    TScopedErrorHandler(const TScopedErrorHandler&) = delete;
    TScopedErrorHandler& operator=(const TScopedErrorHandler&) = delete;
    ~TScopedErrorHandler() { SetErrorHandler(std::move(previous_)); }

private:
    TErrorHandler previous_;
};

} // namespace tsy::win32
