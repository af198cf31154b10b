#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace tsy::testing {

// The visible static texts in `root` and its descendants that need more room than their controls
// show: each text is measured in the control's own font, wrapped at the control's width, as the
// control draws it. One line per text that does not fit, naming the window, the control and both
// sizes; empty when all fit. `drawn` gives the text of a control that draws something other than
// its window text.
std::vector<std::string> TextsThatDoNotFit(HWND root, const std::map<HWND, std::string>& drawn = {});

// Expects every text of the window to fit; in a screenshot run, also saves its picture.
void CheckTextsAndPicture(HWND window, const std::string& name, const std::map<HWND, std::string>& drawn = {});

} // namespace tsy::testing
