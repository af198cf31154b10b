#pragma once
// Every end-to-end test starts from a clean slate: no settings in the registry except
// the browser choice, the fake Firefox registered, and a small known catalogue in the
// user's data folder. What was there before is put back afterwards.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ProgramDriver.h"

namespace tsy::e2e {

// Four sites: three with both URLs (one without a scheme), one with a home page only.
// Collections: "Search" (sites 1, 2, 3), "Empty" (none), "Home pages" (site 4).
std::string TestSitesFile();
std::string TestCollectionsFile();

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override;
    // The fake registered as Firefox, in the fakes folder.
    virtual std::string FirefoxFake() const { return "fake_firefox.exe"; }
    void TearDown() override;

    // Settings the program reads at start; call before Start.
    void SetSetting(const std::string& name, DWORD value);
    void SetSetting(const std::string& name, const std::string& value);

    // Starts the program and waits for its main window (visible or not).
    HWND Start(TProgram& program, const std::string& arguments = "");
    // Starts it and waits until the main window is shown and the program is idle.
    HWND StartShown(TProgram& program);

    // Waits for the end of the window's start-up, the collections box filled and the steps the
    // program posted itself handled: whatever start-up shows or adds has happened by then.
    bool WaitForStartUpDone(HWND main) const;
    HWND SearchBox(HWND main) const;
    HWND CollectionsBox(HWND main) const;
    HWND ExploreButton(HWND main) const;
    // The control that has the keyboard focus in the program's thread (the window when none).
    HWND FocusOf(HWND main) const;

    // Waits for the fake Firefox to have been started `count` times.
    std::vector<std::string> WaitForFirefoxCalls(size_t count, Duration timeout = 15s) const;

private:
    std::optional<std::string> savedFirefoxPath_;
    bool hadFirefoxKey_ = false;
    std::string savedSites_, savedCollections_;
    bool hadSites_ = false, hadCollections_ = false;
};

} // namespace tsy::e2e
