// The main window made from a sample catalogue, settings and scripted dialogs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FakeAppServices.h"
#include "FakeClock.h"
#include "TestWindow.h"
#include "app/win32/FrmMain.h"
#include "resource.h"
#include "support/StdRandom.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/HtmlHelp.h"

namespace tsy::testing {

using tsy::win32::TMainForm;

class TScriptedDialogs : public win32::IMainFormDialogs {
public:
    bool ShowSettings(HWND mainWindow, int startPage, std::function<void()> clearSearchHistory) override {
        firstPages.push_back(startPage == win32::kSettingsFirstPage);
        startPages.push_back(startPage);
        clearHistory = std::move(clearSearchHistory);
        if (duringSettings)
            duringSettings(mainWindow);
        return answer;
    }
    void ShowAbout(HWND) override { ++abouts; }
    std::vector<bool> firstPages;
    std::vector<int> startPages;
    std::function<void(HWND)> duringSettings;
    // What the last dialog was given to clear the window's search history.
    std::function<void()> clearHistory;
    bool answer = false;
    int abouts = 0;
};

class MainFormTest : public ::testing::Test, protected fakes::TFakeAppServices {
protected:
    MainFormTest() {
        // Two sites with search URLs, one with a home page only.
        catalogue.sites = {
            {1, "Alpha", "http://alpha.example/?q=%s", "http://alpha.example/", 0, false, {}, {}},
            {2, "Beta", "http://beta.example/find/%s", "http://beta.example/", 0, false, {}, {}},
            {3, "Home", "", "http://home.example/", 0, false, {}, {}}};
        catalogue.groups = {
            {"Search", {1, 2}, false}, {"Home pages", {3}, false}, {"all sites", {1, 2, -3}, false}};
        // A stored browser choice keeps the first-run notice away.
        WriteDword(*registry.Open(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly", true), "Browser", 1);
        settings.UseHotkey = false;
        clock.now = 1'000'000;
    }

    std::unique_ptr<TMainForm> MakeForm(bool switchesHidden = true, bool slider = false) {
        win32::TMainFormContext c{.Services = services,
                                  .Switches = {},
                                  .SwitchToWindowMessage = RegisterWindowMessageA("SwitchToWindow"),
                                  .Clock = clock,
                                  .Help = helpViewer,
                                  .Dialogs = dialogs,
                                  .Explorer = explorer,
                                  .TrayNotify = trayNotify,
                                  .OpenWebPage = [this](HWND, const char* url) { opened.emplace_back(url); }};
        c.Switches.Minimized = switchesHidden && !slider;
        c.Switches.Slider = slider;
        auto form = std::make_unique<TMainForm>(std::move(c));
        form->Create();
        // What the program's loop runs first: the steps left for after the first picture.
        PumpMessages();
        return form;
    }

    static std::vector<std::string> Entries(HWND box) {
        std::vector<std::string> texts;
        const LRESULT count = SendMessageA(box, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[256] = {};
            SendMessageA(box, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
            texts.emplace_back(text);
        }
        return texts;
    }
    static std::string Selected(HWND box) {
        const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
        if (index == CB_ERR)
            return "<none>";
        char text[256] = {};
        SendMessageA(box, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text));
        return text;
    }
    static int WidthOf(HWND control) {
        RECT r;
        GetWindowRect(control, &r);
        return r.right - r.left;
    }
    void Select(TMainForm& form, const char* text) {
        HWND box = form.Control(IDC_COLLECTIONS);
        SendMessageA(box, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(text));
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(IDC_COLLECTIONS, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(box));
    }
    // A click on one of the window's buttons.
    static void Click(TMainForm& form, int id) {
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(form.Control(id)));
    }
    std::optional<std::string> StoredSearch() {
        return registry.String(RootKey::CurrentUser, "\\SOFTWARE\\Orvelle\\Tessaly", "Search");
    }

    fakes::TFakeClock clock;
    TScriptedDialogs dialogs;
    TStdRandom random;
    TExplorer explorer{targets, collections, settings, opener, boxes, random, clock, codePage, wideCollation};
    // The help file does not exist here: the viewer must cope.
    win32::THtmlHelp helpViewer{"TSY.chm"};
    std::vector<std::string> opened;
    // Unset: the real shell's notification area.
    win32::TTrayIconEx::TNotify trayNotify;
    std::vector<std::string> errors;
    win32::TScopedErrorHandler errorScope{[this](std::string_view text) { errors.emplace_back(text); }};
};

} // namespace tsy::testing
