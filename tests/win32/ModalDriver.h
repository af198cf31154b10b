#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>

namespace tsy::testing {

// Drives modal dialogs of this thread from a timer: each dialog that becomes the active
// window gets the next step, once. A step that opens another modal dialog is fine: the
// timer goes on in the inner loop. A dialog left waiting for long is cancelled and the
// driver reports it, so a broken test ends instead of hanging.
class TModalDriver {
public:
    using TStep = std::function<void(HWND dialog)>;

    explicit TModalDriver(std::deque<TStep> steps);
    TModalDriver(const TModalDriver&) = delete;
    TModalDriver& operator=(const TModalDriver&) = delete;
    ~TModalDriver();

    bool AllStepsRun() const noexcept { return steps_.empty(); }
    bool TimedOut() const noexcept { return timedOut_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Run();

    std::deque<TStep> steps_;
    std::set<HWND> driven_;
    UINT_PTR timer_ = 0;
    int idleTicks_ = 0;
    bool timedOut_ = false;
};

// Clicks a button of a dialog as the user would, by its command.
void Click(HWND dialog, int id);
std::string Text(HWND window);
void SetText(HWND dialog, int id, const std::string& text);
// The first descendant of `root` with the control id, optionally only a visible one.
HWND Descendant(HWND root, int id, bool visibleOnly = false);
// Lets the dialog paint and settle.
void Pump();

// Saves a picture of the window, frame included, as a BMP in the folder named by
// TESSALY_SCREENSHOTS (nothing happens without it); returns whether one was written.
bool SaveScreenshot(HWND window, const std::string& name);

} // namespace tsy::testing
