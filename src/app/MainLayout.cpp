#include "app/MainLayout.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace tsy {

int RoundHalfEven(float value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    const double v = value; // exact: every float is a double
    const double lower = std::floor(v);
    const double fraction = v - lower;
    double rounded = lower;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(lower, 2.0) != 0.0)) {
        rounded = lower + 1.0;
    }
    if (rounded > std::numeric_limits<int>::max() || rounded < std::numeric_limits<int>::min()) {
        return 0;
    }
    return static_cast<int>(rounded);
}

TLayoutMetrics TakeLayoutMetrics(int clientWidth, const TRect& collections, const TRect& searchLabel,
                                 const TRect& search) {
    TLayoutMetrics m;
    m.CollectionsWidth = collections.Width;
    m.SearchWidth = search.Width;
    m.Rest = clientWidth - collections.Width - search.Width;
    m.LabelGap = searchLabel.Left - collections.Right();
    m.SearchGap = search.Left - collections.Right();
    return m;
}

TResizedBoxes ResizeBoxes(const TLayoutMetrics& metrics, int collectionsLeft, int clientWidth) {
    TResizedBoxes boxes;
    const int designSum = metrics.CollectionsWidth + metrics.SearchWidth;
    if (designSum <= 0) {
        // Nothing to share out: keep the design widths instead of dividing by zero.
        boxes.CollectionsWidth = metrics.CollectionsWidth;
        boxes.SearchWidth = metrics.SearchWidth;
    } else {
        const float f = static_cast<float>(clientWidth - metrics.Rest) / static_cast<float>(designSum);
        const float collections = static_cast<float>(metrics.CollectionsWidth) * f;
        const float search = static_cast<float>(metrics.SearchWidth) * f;
        // A client narrower than the fixed part would give negative widths.
        boxes.CollectionsWidth = RoundHalfEven(collections) < 0 ? 0 : RoundHalfEven(collections);
        boxes.SearchWidth = RoundHalfEven(search) < 0 ? 0 : RoundHalfEven(search);
    }
    const int collectionsRight = collectionsLeft + boxes.CollectionsWidth;
    boxes.SearchLabelLeft = collectionsRight + metrics.LabelGap;
    boxes.SearchLeft = collectionsRight + metrics.SearchGap;
    return boxes;
}

TMainFormLayout DesignedMainFormLayout() {
    TMainFormLayout l;
    l.LookInLabel = {8, 6, 46, 13};
    l.Collections = {8, 22, 150, 21};
    l.SearchLabel = {166, 6, 58, 13};
    l.Search = {166, 22, 200, 21};
    l.Explore = {374, 20, 56, 25};
    l.Settings = {434, 20, 66, 25};
    l.About = {504, 20, 48, 25};
    l.Banner = {0, 51, kMainFormDesignClientWidth, kMainFormDesignClientHeight - 51};
    return l;
}

TMainFormLayout ScaleLayout(const TMainFormLayout& design, int dpi) {
    TMainFormLayout l;
    l.LookInLabel = ScaleRect(design.LookInLabel, dpi);
    l.Collections = ScaleRect(design.Collections, dpi);
    l.SearchLabel = ScaleRect(design.SearchLabel, dpi);
    l.Search = ScaleRect(design.Search, dpi);
    l.Explore = ScaleRect(design.Explore, dpi);
    l.Settings = ScaleRect(design.Settings, dpi);
    l.About = ScaleRect(design.About, dpi);
    l.Banner = ScaleRect(design.Banner, dpi);
    return l;
}

TMainFormLayout LayoutMainForm(const TMainFormLayout& created, int createdClientWidth, int clientWidth) {
    const TLayoutMetrics metrics =
        TakeLayoutMetrics(createdClientWidth, created.Collections, created.SearchLabel, created.Search);
    const TResizedBoxes boxes = ResizeBoxes(metrics, created.Collections.Left, clientWidth);
    const int shift = clientWidth - createdClientWidth;

    TMainFormLayout l = created;
    l.Collections.Width = boxes.CollectionsWidth;
    l.SearchLabel.Left = boxes.SearchLabelLeft;
    l.Search.Left = boxes.SearchLeft;
    l.Search.Width = boxes.SearchWidth;
    l.Explore.Left += shift;
    l.Settings.Left += shift;
    l.About.Left += shift;
    l.Banner.Width = created.Banner.Width + shift < 0 ? 0 : created.Banner.Width + shift;
    return l;
}

} // namespace tsy
