#include "app/win32/Application.h"

#include <commctrl.h>

#include "app/PortableMode.h"
#include "app/win32/AppDialogs.h"
#include "app/win32/SingleInstance.h"
#include "support/HelpLibrary.h"
#include "support/StartupTrace.h"
#include "support/win32/ErrorBoundary.h"
#include "support/win32/StartupTrace.h"
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

TDataPaths ResolvePaths(IFileSystem& files, const TRunMode& mode) {
    if (!mode.Portable)
        return ResolveDataPaths(files);
    return ResolveDataPaths(files, mode.ProgramFolder + std::string(kPortableDataFolder));
}

// Tries a portable copy's data folder once. One that cannot be written was not seeded either:
// its catalogue is then read where the program's folder has it, and no change is written.
bool SettleDataFolder(TDataPaths& paths, const IFileSystem& files, const TRunMode& mode) {
    if (!mode.Portable)
        return true;
    if (CanWriteFolder(paths.DataFolder))
        return true;
    for (std::string* path : {&paths.TargetsFile, &paths.CollectionsFile}) {
        const std::string starter = JoinPath(paths.ProgramFolder, path->substr(FolderOf(*path).size()));
        if (!files.FileExists(*path) && files.FileExists(starter))
            *path = starter;
    }
    return false;
}

} // namespace

TRunMode RunModeFor(const std::string& executablePath) {
    TRunMode mode;
    mode.ProgramFolder = FolderOf(executablePath);
    mode.Portable = TWin32FileSystem().FileExists(mode.ProgramFolder + std::string(kPortableMarker));
    if (!mode.Portable) {
        mode.MutexName = std::string(kInstalledMutexName);
        return mode;
    }
    std::string upper = mode.ProgramFolder;
    while (upper.size() > 3 && upper.back() == '\\')
        upper.pop_back();
    if (!upper.empty())
        CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    mode.MutexName = PortableMutexName(upper);
    return mode;
}

TApplication::TApplication(HINSTANCE instance, std::string executablePath, TRunMode mode)
    : instance_(instance), owners_(ToHandle(GetDesktopWindow())), boxes_(owners_),
      switchToWindow_(RegisterSwitchMessage()), driver_(&com_),
      browsers_(registry_, versions_, associations_, collation_, debug_), mode_(std::move(mode)),
      paths_(ResolvePaths(files_, mode_)), writable_(SettleDataFolder(paths_, files_, mode_)),
      unwritable_(files_), dataFiles_(writable_ ? static_cast<IFileSystem&>(files_) : unwritable_),
      portableOptions_(mode_.Portable ? std::make_unique<TPortableStore>(
                                            registry_, dataFiles_,
                                            paths_.DataFolder + std::string(kPortableSettingsFile), codePage_)
                                      : nullptr),
      options_(portableOptions_ ? static_cast<IKeyValueStore&>(*portableOptions_) : registry_),
      collections_(collation_), categories_(collation_),
      catalogue_(targets_, collections_, categories_, dataFiles_, paths_.TargetsFile, paths_.CollectionsFile),
      service_(options_, catalogue_, browsers_, boxes_, settings_), autorun_(options_, executablePath),
      layouts_(options_), opener_(browsers_, driver_, boxes_),
      explorer_(targets_, collections_, settings_, opener_, boxes_, random_, clock_, codePage_,
                wideCollation_),
      help_(HelpFileBeside(executablePath), &com_),
      services_{
          instance_,      owners_,    layouts_,
          boxes_,         targets_,   collections_,
          categories_,    collation_, codePage_,
          wideCollation_, settings_,  service_,
          autorun_,       options_,   mode_.Portable,
          browsers_,      opener_,    [this](HWND, const std::string& keyword) { help_.ShowTopic(keyword); }},
      sliderMessages_(RegisterSliderMessages()), version_(ReadVersionInfo(executablePath)) {
    service_.DetectDefaultBrowserAtFirstLoad();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

TApplication::~TApplication() {
    slider_.reset();
}

int TApplication::Run(const TCommandLineSwitches& switches) {
    TScopedErrorHandler errors(MessageBoxErrorHandler(boxes_));
    if (!writable_)
        boxes_.Warning(CannotWriteMessage(paths_.DataFolder));
    TAppDialogs dialogs(services_, version_, com_);
    TMainForm form({.Services = services_,
                    .Switches = switches,
                    .SwitchToWindowMessage = switchToWindow_,
                    .Clock = clock_,
                    .Help = help_,
                    .Dialogs = dialogs,
                    .Explorer = explorer_,
                    .ApplySlider = [this](bool enabled) { ApplySlider(enabled); }});
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
        if (mode_.Portable)
            HandOverToWindow(FindProcessWindow(GetCurrentProcessId(), kMainFormClassName), switchToWindow_);
        else
            HandOverToRunningInstance(kMainFormClassName, kApplicationTitle, switchToWindow_);
    };
    auto slider = std::make_unique<TSliderForm>(std::move(context));
    slider->Create();
    slider_ = std::move(slider);
}

int RunTessaly(HINSTANCE instance, const char* commandLine) {
    TraceStartupWhenAsked();
    // Before any window exists, an error can only go to a box of its own.
    const UINT switchMessage = RegisterSwitchMessage();
    const std::string executablePath = ModulePath(instance);
    TRunMode mode = RunModeFor(executablePath);
    // Copies in two folders must not find each other: a portable one hands over to the window
    // of the process that holds its folder's mutex.
    TSingleInstance instanceLock(mode.MutexName.c_str(), mode.Portable);
    if (!instanceLock.IsFirst()) {
        if (mode.Portable)
            HandOverToWindow(FindProcessWindow(HolderProcess(mode.MutexName.c_str()), kMainFormClassName),
                             switchMessage);
        else
            HandOverToRunningInstance(kMainFormClassName, kApplicationTitle, switchMessage);
        return 0;
    }
    MarkStartupStep("single instance");
    int code = 0;
    try {
        TApplication application(instance, executablePath, std::move(mode));
        MarkStartupStep("application objects");
        code = application.Run(ParseCommandLine(commandLine ? commandLine : ""));
    } catch (...) {
        ReportCurrentException();
        code = 1;
    }
    instanceLock.Release();
    return code;
}

} // namespace tsy::win32
