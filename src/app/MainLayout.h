#pragma once

#include "support/Geometry.h"

namespace tsy {

// Design sizes of the main window at 96 DPI. The window's height is fixed and its width has a
// lower bound; both are outer sizes, caption and borders included.
inline constexpr int kMainFormDesignClientWidth = 558;
inline constexpr int kMainFormDesignClientHeight = 99;
inline constexpr int kMainFormHeight = 135;
inline constexpr int kMainFormMinWidth = 566;

// Rounds to the nearest integer, ties to the even neighbour.
int RoundHalfEven(float value);

// Taken once, from the controls as created (already scaled), before the first resize.
struct TLayoutMetrics {
    int CollectionsWidth = 0; // design width of cbxCollections
    int SearchWidth = 0;      // design width of mruSearch
    int Rest = 0;             // client width minus both
    int LabelGap = 0;         // right edge of cbxCollections to the left of lblSearch
    int SearchGap = 0;        // right edge of cbxCollections to the left of mruSearch
};

TLayoutMetrics TakeLayoutMetrics(int clientWidth, const TRect& collections, const TRect& searchLabel,
                                 const TRect& search);

struct TResizedBoxes {
    int CollectionsWidth = 0;
    int SearchLabelLeft = 0;
    int SearchLeft = 0;
    int SearchWidth = 0;
};

// The two boxes share the width change in proportion to their design widths; the factor and
// the products are single precision.
TResizedBoxes ResizeBoxes(const TLayoutMetrics& metrics, int collectionsLeft, int clientWidth);

// Every control of the main window, by role.
struct TMainFormLayout {
    TRect LookInLabel; // "&Look in:"
    TRect Collections; // cbxCollections
    TRect SearchLabel; // "&Search for:"
    TRect Search;      // mruSearch
    TRect Explore;     // btnExplore
    TRect Settings;    // btnSettings ("&Customize")
    TRect About;       // btnAbout
    TRect Banner;      // pnlBanner

    bool operator==(const TMainFormLayout&) const = default;
};

// Positions at 96 DPI in a client area of kMainFormDesignClientWidth by kMainFormDesignClientHeight.
TMainFormLayout DesignedMainFormLayout();
TMainFormLayout ScaleLayout(const TMainFormLayout& design, int dpi);

// Lays the controls out for a new client width, starting from the layout as created (`created`,
// whose client width was `createdClientWidth`): the boxes and the search label by ResizeBoxes,
// the buttons keep their distance from the right edge, the banner stretches with the window.
TMainFormLayout LayoutMainForm(const TMainFormLayout& created, int createdClientWidth, int clientWidth);

} // namespace tsy
