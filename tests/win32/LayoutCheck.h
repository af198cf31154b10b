#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace tsy::testing {

// What is wrong with the layout of a window as a user would see it: a visible control that its
// parent's client area cuts, or that overlaps a visible sibling (a control wholly inside a group
// box or a tab control is not an overlap). The window's own controls and those of the pages and
// frames it hosts are checked; what a control keeps inside itself is the control's business.
std::vector<std::string> LayoutFaults(HWND window);

// Checks that every text fits (CheckTextsAndPicture, which saves the picture in a screenshot run) and
// fails the test for every fault of the window's layout. `drawn` as for TextsThatDoNotFit.
void SavePicture(HWND window, const std::string& name, const std::map<HWND, std::string>& drawn = {});

} // namespace tsy::testing
