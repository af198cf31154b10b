#pragma once

#include <windows.h>

#include <vector>

namespace tsy::win32 {

// The edges of a control that keep their distance to the same edge of the dialog
// when it is resized. Left and right together stretch the control.
enum TAnchors : unsigned {
    akLeft = 1,
    akTop = 2,
    akRight = 4,
    akBottom = 8,
    akTopLeft = akLeft | akTop,
    akAll = akLeft | akTop | akRight | akBottom,
};

// The detail panel: controls laid out unfolded in the template that fold away behind a
// toggle button. Folded, they hide, the dialog loses their height and cannot grow taller;
// unfolded, it gets back the height they had.
struct TDetailPanel {
    std::vector<HWND> Controls; // the top one first
    int Below = 0;              // the first control under the panel
    int Toggle = 0;
    const char* ShowCaption = "";
    const char* HideCaption = "";
    int MinimumHeight = 0; // pixels, unfolded
};

// Moves a dialog's anchored controls when it is resized, keeps it within its size limits (the
// size it had when attached is the smallest) and folds its detail panel.
class TDialogLayout {
public:
    void Attach(HWND dialog);
    void Anchor(HWND control, unsigned anchors);
    // Moves the anchored controls to the dialog's size now.
    void LayOut();
    // WM_GETMINMAXINFO; false when the dialog has no limits.
    bool Limit(MINMAXINFO& info) const;
    // The panel starts folded.
    void SetDetailPanel(TDetailPanel panel);
    bool DetailShown() const noexcept { return detailShown_; }
    void ShowDetail(bool shown);
    // What the dialog manager does not scale itself on a DPI change.
    void Rescale(int fromDpi, int toDpi);

private:
    struct TAnchored {
        HWND Control;
        unsigned Anchors;
        RECT Place; // in client coordinates of the dialog at the reference size
    };

    HWND dialog_ = nullptr;
    std::vector<TAnchored> anchored_;
    SIZE reference_{};  // client size the anchored places belong to
    SIZE minimum_{};    // window size
    int maxHeight_ = 0; // 0: no limit
    TDetailPanel detail_;
    bool detailShown_ = true; // as the template lays it out
    int detailHeight_ = 0;
    int foldedHeight_ = 0; // window height, folded
};

} // namespace tsy::win32
