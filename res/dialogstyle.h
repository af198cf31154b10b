// The styles and font that every dialog template of the program shares.
#pragma once

#define TSY_DIALOG_FONT FONT 8, "MS Shell Dlg", 0, 0, 0x1
// A top-level dialog of fixed size, and one the user may resize.
#define TSY_MODAL_STYLE STYLE DS_SHELLFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU
#define TSY_SIZABLE_STYLE                                                                                    \
    STYLE DS_SHELLFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME
// A page shown by its host, and a frame that shows as soon as it is placed.
#define TSY_PAGE_STYLE STYLE DS_SHELLFONT | DS_CONTROL | WS_CHILD
#define TSY_FRAME_STYLE STYLE DS_SHELLFONT | DS_CONTROL | WS_CHILD | WS_VISIBLE
