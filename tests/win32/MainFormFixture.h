// The main window made from a sample catalogue, settings and scripted dialogs.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "AsciiCollation.h"
#include "FakeBrowserInfo.h"
#include "FakeClock.h"
#include "FakeKeyValueStore.h"
#include "RecordingMessageBoxes.h"
#include "RecordingOpener.h"
#include "TestWindow.h"
#include "WideCaseCollation.h"
#include "app/win32/FrmMain.h"
#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueStore.h"
#include "resource.h"
#include "settings/Autorun.h"
#include "settings/PersistentUI.h"
#include "settings/Settings.h"
#include "settings/SettingsService.h"
#include "support/AnsiCodePage.h"
#include "support/OwnerStack.h"
#include "support/StdRandom.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/HtmlHelp.h"

namespace tsy::testing {

using tsy::win32::TMainForm;

// The catalogue the tests explore: two sites with search URLs, one with a home page only.
class TSampleCatalogue : public ICatalogueStore {
public:
    bool failLoad = false;
    TSampleCatalogue(TTargets& targets, TCollections& collections)
        : targets_(targets), collections_(collections) {}
    void Load() override {
        ++loads;
        read = !failLoad;
        if (failLoad)
            throw std::runtime_error("The sites file cannot be read.");
        targets_.Clear();
        collections_.Clear();
        targets_.Append(
            {1, "Alpha", "http://alpha.example/?q=%s", "http://alpha.example/", 0, false, {}, {}});
        targets_.Append({2, "Beta", "http://beta.example/find/%s", "http://beta.example/", 0, false, {}, {}});
        targets_.Append({3, "Home", "", "http://home.example/", 0, false, {}, {}});
        collections_.Append("Search").SetIDs({1, 2});
        collections_.Append("Home pages").SetIDs({3});
        collections_.Append("all sites").SetIDs({1, 2, -3});
    }
    bool IsRead() const override { return read; }
    void CheckIntegrity() override {}
    void Save() override { ++saves; }
    int loads = 0;
    int saves = 0;
    bool read = false;

private:
    TTargets& targets_;
    TCollections& collections_;
};

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

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest()
        : collections(collation), categories(collation),
          service(registry, catalogue, browsers, boxes, settings),
          autorun(registry, "C:\\Program Files\\Tessaly\\Tessaly.exe"),
          owners(TWindowHandle(GetDesktopWindow())) {
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

    fakes::AsciiCollation collation;
    fakes::WideCaseCollation wideCollation;
    TAnsiCodePage codePage;
    TTargets targets;
    TCollections collections;
    TCategories categories;
    TSampleCatalogue catalogue{targets, collections};
    fakes::FakeKeyValueStore registry;
    fakes::FakeBrowserInfo browsers;
    fakes::RecordingMessageBoxes boxes;
    TAppSettings settings;
    TSettingsService service;
    TAutorun autorun;
    TOwnerStack owners;
    TPersistentUI layouts{registry};
    fakes::TFakeClock clock;
    TScriptedDialogs dialogs;
    fakes::TRecordingOpener opener;
    TStdRandom random;
    TExplorer explorer{targets, collections, settings, opener, boxes, random, clock, codePage, wideCollation};
    win32::TAppServices services{GetModuleHandleA(nullptr),
                                 owners,
                                 layouts,
                                 boxes,
                                 targets,
                                 collections,
                                 categories,
                                 collation,
                                 codePage,
                                 wideCollation,
                                 settings,
                                 service,
                                 autorun,
                                 registry,
                                 false,
                                 browsers,
                                 opener};
    // The help file does not exist here: the viewer must cope.
    win32::THtmlHelp helpViewer{"TSY.chm"};
    std::vector<std::string> opened;
    // Unset: the real shell's notification area.
    win32::TTrayIconEx::TNotify trayNotify;
    std::vector<std::string> errors;
    win32::TScopedErrorHandler errorScope{[this](std::string_view text) { errors.emplace_back(text); }};
};

} // namespace tsy::testing
