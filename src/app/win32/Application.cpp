#include "app/win32/Application.h"

#include <commctrl.h>

#include "app/win32/AppDialogs.h"
#include "app/win32/SingleInstance.h"
#include "support/HelpLibrary.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/VersionResource.h"
#include "ui/win32/FrmAbout.h"

namespace tsy::win32 {

namespace {

std::string ModulePath(HINSTANCE instance) {
    char path[MAX_PATH * 2] = {};
    const DWORD length = GetModuleFileNameA(instance, path, DWORD(sizeof path));
    return std::string(path, length < sizeof path ? length : 0);
}

UINT RegisterSwitchMessage() {
    return RegisterWindowMessageA(kSwitchToWindowMessageName);
}

} // namespace

TApplication::TApplication(HINSTANCE instance, std::string executablePath)
    : instance_(instance), owners_(ToHandle(GetDesktopWindow())), boxes_(owners_),
      switchToWindow_(RegisterSwitchMessage()), driver_(&com_),
      browsers_(registry_, versions_, associations_, collation_, debug_), paths_(ResolveDataPaths(files_)),
      collections_(collation_), categories_(collation_),
      catalogue_(targets_, collections_, categories_, files_, paths_.TargetsFile, paths_.CollectionsFile),
      service_(registry_, catalogue_, browsers_, boxes_, settings_), autorun_(registry_, executablePath),
      layouts_(registry_), opener_(browsers_, driver_, boxes_),
      explorer_(targets_, collections_, settings_, opener_, boxes_, random_, clock_, codePage_),
      help_(HelpFileBeside(executablePath), &com_), sliderMessages_(RegisterSliderMessages()),
      version_(ReadVersionInfo(executablePath)) {
    service_.DetectDefaultBrowserAtFirstLoad();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

TApplication::~TApplication() {
    slider_.reset();
}

int TApplication::Run(const TCommandLineSwitches& switches) {
    TScopedErrorHandler errors(MessageBoxErrorHandler(boxes_));
    TSettingsContext dialogContext;
    dialogContext.Editor.Dialogs.Instance = instance_;
    dialogContext.Editor.Dialogs.Owners = &owners_;
    dialogContext.Editor.Dialogs.Layouts = &layouts_;
    dialogContext.Editor.Dialogs.Boxes = &boxes_;
    dialogContext.Editor.Dialogs.Com = &com_;
    dialogContext.Editor.Dialogs.ShowHelp = [this](HWND, const std::string& keyword) {
        help_.ShowTopic(keyword);
    };
    dialogContext.Editor.Targets = &targets_;
    dialogContext.Editor.Collections = &collections_;
    dialogContext.Editor.Categories = &categories_;
    dialogContext.Editor.Collation = &collation_;
    dialogContext.Settings = &settings_;
    dialogContext.Service = &service_;
    dialogContext.Autorun = &autorun_;
    dialogContext.Browsers = &browsers_;
    dialogContext.Opener = &opener_;
    TAppDialogs dialogs(std::move(dialogContext), version_);
    TMainFormContext context;
    context.Instance = instance_;
    context.Switches = switches;
    context.SwitchToWindowMessage = switchToWindow_;
    context.Settings = &settings_;
    context.SettingsService = &service_;
    context.Autorun = &autorun_;
    context.OwnerStack = &owners_;
    context.Targets = &targets_;
    context.Collections = &collections_;
    context.Collation = &collation_;
    context.WideCollation = &wideCollation_;
    context.CodePage = &codePage_;
    context.Clock = &clock_;
    context.Registry = &registry_;
    context.Help = &help_;
    context.Dialogs = &dialogs;
    context.Boxes = &boxes_;
    context.Explorer = &explorer_;
    context.PersistentUI = &layouts_;
    context.ApplySlider = [this](bool enabled) { ApplySlider(enabled); };
    context.OpenWebPage = [this](HWND owner, const char* url) {
        com_.Enter();
        OpenWebPageWithShell(owner, url);
    };
    TMainForm form(std::move(context));
    dialogs.SetMainForm(&form);
    form.Create();
    const int code = RunMessageLoop();
    slider_.reset();
    return code;
}

void TApplication::ApplySlider(bool enabled) {
    if (!enabled) {
        slider_.reset();
        return;
    }
    if (slider_)
        return;
    TSliderFormContext context;
    context.Instance = instance_;
    context.Settings = &settings_;
    context.Messages = sliderMessages_;
    // The same switch a second start uses: find the main window, bring it forward, post it
    // "SwitchToWindow".
    context.ActivateMainWindow = [this] {
        HandOverToRunningInstance(kMainFormClassName, kApplicationTitle, switchToWindow_);
    };
    auto slider = std::make_unique<TSliderForm>(std::move(context));
    slider->Create();
    slider_ = std::move(slider);
}

int RunTessaly(HINSTANCE instance, const char* commandLine) {
    // Before any window exists, an error can only go to a box of its own.
    const UINT switchMessage = RegisterSwitchMessage();
    TSingleInstance instanceLock;
    if (!instanceLock.IsFirst()) {
        HandOverToRunningInstance(kMainFormClassName, kApplicationTitle, switchMessage);
        return 0;
    }
    int code = 0;
    try {
        TApplication application(instance, ModulePath(instance));
        code = application.Run(ParseCommandLine(commandLine ? commandLine : ""));
    } catch (...) {
        ReportCurrentException();
        code = 1;
    }
    instanceLock.Release();
    return code;
}

} // namespace tsy::win32
