#include "support/win32/DialogLayout.h"

#include <algorithm>

#include "support/win32/WinText.h"

namespace tsy::win32 {

namespace {

// The place of a control anchored so, after the dialog grew by (dx, dy).
RECT Shifted(RECT place, unsigned anchors, int dx, int dy) {
    if (anchors & akRight) {
        if (!(anchors & akLeft))
            place.left += dx;
        place.right += dx;
    }
    if (anchors & akBottom) {
        if (!(anchors & akTop))
            place.top += dy;
        place.bottom += dy;
    }
    return place;
}

} // namespace

void TDialogLayout::Attach(HWND dialog) {
    dialog_ = dialog;
    RECT window{};
    GetWindowRect(dialog_, &window);
    if (minimum_.cx == 0)
        minimum_ = {window.right - window.left, window.bottom - window.top};
}

void TDialogLayout::Anchor(HWND control, unsigned anchors) {
    if (!control)
        return;
    RECT client{};
    GetClientRect(dialog_, &client);
    if (anchored_.empty())
        reference_ = {client.right, client.bottom};
    // Places are kept for the reference size, whatever the size is now.
    const RECT place = Shifted(PlaceIn(dialog_, control), anchors, reference_.cx - client.right,
                               reference_.cy - client.bottom);
    for (auto& entry : anchored_)
        if (entry.Control == control) {
            entry = {control, anchors, place};
            return;
        }
    anchored_.push_back({control, anchors, place});
}

void TDialogLayout::LayOut() {
    if (anchored_.empty() || IsIconic(dialog_))
        return;
    RECT client{};
    GetClientRect(dialog_, &client);
    const int dx = client.right - reference_.cx;
    const int dy = client.bottom - reference_.cy;
    HDWP batch = BeginDeferWindowPos(int(anchored_.size()));
    for (const auto& entry : anchored_) {
        const RECT r = Shifted(entry.Place, entry.Anchors, dx, dy);
        if (batch)
            batch = DeferWindowPos(batch, entry.Control, nullptr, r.left, r.top,
                                   std::max(0, int(r.right - r.left)), std::max(0, int(r.bottom - r.top)),
                                   SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (batch)
        EndDeferWindowPos(batch);
    // Controls keep pixels laid out for their old size (a wrapped text cut at the new edge)
    // unless they are repainted too.
    RedrawWindow(dialog_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool TDialogLayout::Limit(MINMAXINFO& info) const {
    if (minimum_.cx <= 0 || !(GetWindowLongPtrA(dialog_, GWL_STYLE) & WS_THICKFRAME))
        return false;
    info.ptMinTrackSize = {minimum_.cx, minimum_.cy};
    if (maxHeight_ > 0)
        info.ptMaxTrackSize.y = maxHeight_;
    return true;
}

void TDialogLayout::SetDetailPanel(TDetailPanel panel) {
    detail_ = std::move(panel);
    ShowDetail(false);
}

void TDialogLayout::ShowDetail(bool shown) {
    if (shown == detailShown_ || detail_.Controls.empty())
        return;
    RECT window{};
    GetWindowRect(dialog_, &window);
    const int width = window.right - window.left;
    detailShown_ = shown;
    if (!shown) {
        // Whatever height the user gave the panel comes back with it.
        detailHeight_ = PlaceIn(dialog_, GetDlgItem(dialog_, detail_.Below)).top -
                        PlaceIn(dialog_, detail_.Controls.front()).top;
        if (foldedHeight_ == 0)
            foldedHeight_ = window.bottom - window.top - detailHeight_;
        for (HWND control : detail_.Controls)
            ShowWindow(control, SW_HIDE);
        minimum_.cy = maxHeight_ = foldedHeight_;
        SetWindowPos(dialog_, nullptr, 0, 0, width, foldedHeight_,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        SetDlgItemTextA(dialog_, detail_.Toggle, detail_.ShowCaption);
    } else {
        minimum_.cy = foldedHeight_ + detail_.MinimumHeight;
        maxHeight_ = 0;
        SetWindowPos(dialog_, nullptr, 0, 0, width,
                     foldedHeight_ + std::max(detailHeight_, detail_.MinimumHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        for (HWND control : detail_.Controls)
            ShowWindow(control, SW_SHOW);
        SetDlgItemTextA(dialog_, detail_.Toggle, detail_.HideCaption);
    }
}

void TDialogLayout::Rescale(int fromDpi, int toDpi) {
    const auto scale = [&](auto... values) { ((*values = MulDiv(*values, toDpi, fromDpi)), ...); };
    scale(&reference_.cx, &reference_.cy, &minimum_.cx, &minimum_.cy);
    for (auto& entry : anchored_)
        scale(&entry.Place.left, &entry.Place.top, &entry.Place.right, &entry.Place.bottom);
    scale(&maxHeight_, &foldedHeight_, &detailHeight_, &detail_.MinimumHeight);
}

} // namespace tsy::win32
