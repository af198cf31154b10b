#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tsy::testing {

// What is wrong with the layout of a window as a user would see it: a visible control that its
// parent's client area cuts, or that overlaps a visible sibling (a control wholly inside a group
// box or a tab control is not an overlap). The window's own controls and those of the pages and
// frames it hosts are checked; what a control keeps inside itself is the control's business.
std::vector<std::string> LayoutFaults(HWND window);

// Saves the window's picture (SaveScreenshot) and fails the test for every fault of its layout.
void SavePicture(HWND window, const std::string& name);

} // namespace tsy::testing
