#include "LayoutCheck.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "ModalDriver.h"
#include "TextFit.h"

namespace tsy::testing {

namespace {

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// The windows whose controls are checked: dialogs, pages and frames, and the main window.
bool HostsControls(HWND window) {
    const std::string name = ClassOf(window);
    return name == "#32770" || name == "TMainForm";
}

// Controls that frame others.
bool IsContainer(HWND control) {
    const std::string name = ClassOf(control);
    if (name == WC_TABCONTROLA)
        return true;
    return name == "Button" && (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(HWND control) {
    char text[80] = {};
    GetWindowTextA(control, text, sizeof text);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control)) + " \"" + text + "\" at (" +
           std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

std::vector<HWND> VisibleChildren(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetWindowLongPtrA(child, GWL_STYLE) & WS_VISIBLE)
            children.push_back(child);
    return children;
}

void Check(HWND parent, std::vector<std::string>& faults) {
    RECT client;
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const std::vector<HWND> children = VisibleChildren(parent);
    std::vector<RECT> places(children.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        GetWindowRect(children[i], &places[i]);
        if (!Inside(places[i], client))
            faults.push_back(Describe(children[i]) + " is cut by its parent's client area");
    }
    for (std::size_t i = 0; i < children.size(); ++i)
        for (std::size_t j = i + 1; j < children.size(); ++j) {
            RECT common;
            if (!IntersectRect(&common, &places[i], &places[j]))
                continue;
            if ((IsContainer(children[i]) && Inside(places[j], places[i])) ||
                (IsContainer(children[j]) && Inside(places[i], places[j])))
                continue;
            faults.push_back(Describe(children[i]) + " overlaps " + Describe(children[j]));
        }
    for (HWND child : children)
        if (HostsControls(child))
            Check(child, faults);
}

} // namespace

std::vector<std::string> LayoutFaults(HWND window) {
    std::vector<std::string> faults;
    Check(window, faults);
    return faults;
}

void SavePicture(HWND window, const std::string& name, const std::map<HWND, std::string>& drawn) {
    CheckTextsAndPicture(window, name, drawn);
    for (const std::string& fault : LayoutFaults(window))
        ADD_FAILURE() << name << ": " << fault;
}

} // namespace tsy::testing
