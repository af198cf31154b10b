#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ui/win32/FrmSettings.h"

namespace tsy::fakes {

// Assembles what the dialogs take from the services a test owns. The instance is the test
// program's, which carries the dialog templates; a service the test leaves out stays missing,
// as the dialogs allow.
class TDialogContextBuilder {
public:
    TDialogContextBuilder() { Dialogs().Instance = GetModuleHandleA(nullptr); }

    TDialogContextBuilder& Owners(TOwnerStack& owners) {
        Dialogs().Owners = &owners;
        return *this;
    }
    TDialogContextBuilder& Layouts(ILayoutStore& layouts) {
        Dialogs().Layouts = &layouts;
        return *this;
    }
    TDialogContextBuilder& Boxes(IMessageBoxes& boxes) {
        Dialogs().Boxes = &boxes;
        return *this;
    }
    // Help requests are kept by keyword.
    TDialogContextBuilder& Help(std::vector<std::string>& keywords) {
        Dialogs().ShowHelp = [&keywords](HWND, const std::string& keyword) { keywords.push_back(keyword); };
        return *this;
    }
    TDialogContextBuilder& Catalogue(TTargets& targets, TCollections& collections, TCategories& categories) {
        context_.Editor.Targets = &targets;
        context_.Editor.Collections = &collections;
        context_.Editor.Categories = &categories;
        return *this;
    }
    TDialogContextBuilder& Collation(const ICollation& collation) {
        context_.Editor.Collation = &collation;
        return *this;
    }
    TDialogContextBuilder& Keywords(const ICodePage& codePage, const IWideCollation& collation) {
        context_.Editor.CodePage = &codePage;
        context_.Editor.WideCollation = &collation;
        return *this;
    }
    TDialogContextBuilder& OpenPages(std::function<TPageInfos()> list) {
        context_.Editor.ListOpenPages = std::move(list);
        return *this;
    }
    TDialogContextBuilder& Options(TAppSettings& settings, TSettingsService& service, TAutorun& autorun) {
        context_.Settings = &settings;
        context_.Service = &service;
        context_.Autorun = &autorun;
        return *this;
    }
    TDialogContextBuilder& Browsers(IBrowserInfo& browsers, IUrlOpener& opener) {
        context_.Browsers = &browsers;
        context_.Opener = &opener;
        return *this;
    }

    win32::TDialogEnvironment BuildEnvironment() const { return context_.Editor.Dialogs; }
    win32::TEditorContext BuildEditor() const { return context_.Editor; }
    win32::TSettingsContext BuildSettings() const { return context_; }

private:
    win32::TDialogEnvironment& Dialogs() { return context_.Editor.Dialogs; }
    win32::TSettingsContext context_;
};

} // namespace tsy::fakes
