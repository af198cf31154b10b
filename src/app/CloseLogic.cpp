#include "app/CloseLogic.h"

namespace tsy {

TCloseReason ReasonOfRequest(TCloseRequest request) {
    switch (request) {
    case TCloseRequest::TrayExit:
        // In slider mode the program lives on in its slider, so Exit only hides it there.
        return TCloseReason::Hide;
    case TCloseRequest::EndSession:
        return TCloseReason::Quit;
    case TCloseRequest::CloseButton:
    case TCloseRequest::AutoClose:
        break;
    }
    return TCloseReason::None;
}

TCloseReason QueryCloseReason(TCloseReason reason, bool minimizeOnClose) {
    if (reason != TCloseReason::None) {
        return reason;
    }
    return minimizeOnClose ? TCloseReason::Minimize : TCloseReason::Hide;
}

TCloseDecision DecideClose(TCloseReason reason, bool sliderEnabled, bool activatedOnce) {
    if (reason == TCloseReason::Hide && !sliderEnabled) {
        reason = TCloseReason::Quit;
    }
    TCloseDecision decision;
    decision.Action = static_cast<TCloseAction>(reason);
    switch (reason) {
    case TCloseReason::Quit:
        decision.SaveState = activatedOnce;
        break;
    case TCloseReason::Minimize:
        decision.MinimizeApplication = true;
        break;
    case TCloseReason::Hide:
        decision.HideTrayIconAndApplication = true;
        break;
    case TCloseReason::None:
        break;
    }
    return decision;
}

void TCloseController::Request(TCloseRequest request) {
    const TCloseReason carried = ReasonOfRequest(request);
    if (carried != TCloseReason::None) {
        reason_ = carried;
    }
}

TCloseDecision TCloseController::Close(const TCloseSettings& settings) {
    const TCloseReason reason = QueryCloseReason(reason_, settings.MinimizeOnClose);
    reason_ = TCloseReason::None;
    return DecideClose(reason, settings.SliderEnabled, settings.ActivatedOnce);
}

} // namespace tsy
