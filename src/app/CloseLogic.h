#pragma once

namespace tsy {

// Why the main window is being closed; lives in the main window and is reset after every close.
enum class TCloseReason : int { None = 0, Hide = 1, Quit = 2, Minimize = 3 };

// What the close handler answers; the values match the reasons one to one.
enum class TCloseAction : int { Keep = 0, Hide = 1, Destroy = 2, Minimize = 3 };

// The ways the main window gets asked to close.
enum class TCloseRequest {
    CloseButton, // the caption's close button or Esc
    AutoClose,   // after an Explore with AutoClose on
    TrayExit,    // the tray menu's Exit item
    EndSession,  // WM_ENDSESSION with a true first parameter (logoff or shutdown)
};

struct TCloseSettings {
    bool MinimizeOnClose = true;
    bool SliderEnabled = false; // the autorun entry carries the slider switch
    bool ActivatedOnce = false; // the main window has been activated at least once
};

// Everything the main window has to do once a close completes. At most one of Destroy,
// Minimize and Hide applies.
struct TCloseDecision {
    TCloseAction Action = TCloseAction::Keep;
    // Quit only: store Search/Collection and the history, save the layout, write the settings
    // and pop the window from the message-box owner stack. False when never activated, so a
    // program started hidden and never shown leaves the stored state alone.
    bool SaveState = false;
    bool MinimizeApplication = false;
    // Hide only: make the tray icon invisible, then hide the whole application.
    bool HideTrayIconAndApplication = false;
};

// The reason a request brings with it; None for requests that leave the choice to the query.
TCloseReason ReasonOfRequest(TCloseRequest request);

// The close query: a missing reason becomes minimise or hide. It never refuses.
TCloseReason QueryCloseReason(TCloseReason reason, bool minimizeOnClose);

// The close itself: hiding without a slider to come back through means quitting.
TCloseDecision DecideClose(TCloseReason reason, bool sliderEnabled, bool activatedOnce);

// Holds the close reason between the request and WM_CLOSE. The request has to be made right
// before the close message is handled (SendMessage, not PostMessage).
class TCloseController {
public:
    void Request(TCloseRequest request);
    TCloseReason Reason() const { return reason_; }
    // Runs query and close for WM_CLOSE, then resets the reason.
    TCloseDecision Close(const TCloseSettings& settings);

private:
    TCloseReason reason_ = TCloseReason::None;
};

} // namespace tsy
