#include "TextFit.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "ModalDriver.h"

namespace tsy::testing {

namespace {

struct TFitCheck {
    HWND Root;
    const std::map<HWND, std::string>* Drawn;
    std::vector<std::string> Misfits;
};

bool IsStaticText(HWND window) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, "Static") != 0)
        return false;
    switch (GetWindowLongPtrA(window, GWL_STYLE) & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
        return true;
    default:
        return false;
    }
}

// The part of the control's client area that its parents leave in view, up to the root.
SIZE ShownSize(HWND control, HWND root) {
    RECT shown{};
    GetClientRect(control, &shown);
    MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&shown), 2);
    for (HWND parent = GetParent(control); parent; parent = GetParent(parent)) {
        RECT client{};
        GetClientRect(parent, &client);
        MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
        IntersectRect(&shown, &shown, &client);
        if (parent == root)
            break;
    }
    return {shown.right - shown.left, shown.bottom - shown.top};
}

void Measure(HWND control, TFitCheck& check) {
    const auto drawn = check.Drawn->find(control);
    const std::string text = drawn != check.Drawn->end() ? drawn->second : Text(control);
    if (text.empty())
        return;
    const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    const LONG_PTR kind = style & SS_TYPEMASK;
    UINT format = DT_CALCRECT | DT_EXPANDTABS | (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
    format |= kind == SS_LEFTNOWORDWRAP || kind == SS_SIMPLE ? DT_SINGLELINE : DT_WORDBREAK;
    RECT client{};
    GetClientRect(control, &client);
    auto font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    HDC dc = GetDC(control);
    const HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(SYSTEM_FONT));
    RECT needed{0, 0, client.right, 0};
    DrawTextA(dc, text.c_str(), int(text.size()), &needed, format);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const SIZE shown = ShownSize(control, check.Root);
    if (needed.right <= shown.cx && needed.bottom <= shown.cy)
        return;
    check.Misfits.push_back(Text(check.Root) + ": control " + std::to_string(GetDlgCtrlID(control)) + " \"" +
                            text + "\" needs " + std::to_string(needed.right) + "x" +
                            std::to_string(needed.bottom) + ", shows " + std::to_string(shown.cx) + "x" +
                            std::to_string(shown.cy));
}

BOOL CALLBACK CheckControl(HWND window, LPARAM data) {
    if (IsWindowVisible(window) && IsStaticText(window))
        Measure(window, *reinterpret_cast<TFitCheck*>(data));
    return TRUE;
}

} // namespace

std::vector<std::string> TextsThatDoNotFit(HWND root, const std::map<HWND, std::string>& drawn) {
    TFitCheck check{root, &drawn, {}};
    EnumChildWindows(root, CheckControl, reinterpret_cast<LPARAM>(&check));
    return check.Misfits;
}

void CheckTextsAndPicture(HWND window, const std::string& name, const std::map<HWND, std::string>& drawn) {
    Pump();
    EXPECT_EQ(TextsThatDoNotFit(window, drawn), std::vector<std::string>{}) << name;
    if (std::getenv("TESSALY_SCREENSHOTS")) {
        EXPECT_TRUE(SaveScreenshot(window, name));
    }
}

} // namespace tsy::testing
