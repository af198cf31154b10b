#include "browsers/win32/OpenPagesPlatform.h"

#include "browsers/BrowserDetection.h"
#include "support/FileSystem.h"
#include "support/win32/Dispatch.h"
#include "support/win32/UniqueHandle.h"

#include <windows.h>

#include <mshtml.h>
#include <shlobj.h>

namespace tsy::win32 {
namespace {

class ShellWindow : public IShellWindow {
public:
    explicit ShellWindow(Dispatch window) : window_(std::move(window)) {}
    std::string Name() override { return window_.GetText("Name"); }
    std::string LocationURL() override { return window_.GetText("LocationURL"); }
    std::string LocationName() override { return window_.GetText("LocationName"); }

    std::optional<std::string> DocumentTitle() override {
        try {
            VariantResult document;
            window_.Get("document", document);
            auto object = document.Object();
            if (!object)
                return std::nullopt;
            ComPtr<IHTMLDocument2> html;
            if (FAILED(object->QueryInterface(IID_IHTMLDocument2, html.PutVoid())) || !html)
                return std::nullopt;
            BString title;
            if (FAILED(html->get_title(title.Put())))
                return std::nullopt;
            return title.Text();
        } catch (const EComError&) {
            // Pages that are not HTML documents have no title to give.
            return std::nullopt;
        }
    }

private:
    Dispatch window_;
};

} // namespace

void TBrowserWindows::ForEachShellWindow(const std::function<bool(IShellWindow&)>& visit) {
    if (com_)
        com_->Enter();
    Dispatch shell = Dispatch::Create("Shell.Application");
    VariantResult windowsValue;
    shell.Call("Windows", {}, windowsValue);
    auto windowsObject = windowsValue.Object();
    if (!windowsObject)
        throw EComError(E_POINTER, ComErrorText(E_POINTER));
    Dispatch windows(std::move(windowsObject));
    VariantResult countValue;
    windows.Get("Count", countValue);
    const int count = countValue.Integer();
    for (int i = 0; i < count; ++i) {
        Variant index(i);
        VariantResult item;
        windows.Call("Item", {&index}, item);
        auto object = item.Object();
        // A window closed since the count was taken leaves a gap.
        if (!object)
            continue;
        ShellWindow window{Dispatch(std::move(object))};
        if (!visit(window))
            return;
    }
}

bool TBrowserWindows::TopLevelWindowExists(const std::string& className) {
    return ::FindWindowA(className.c_str(), nullptr) != nullptr;
}

namespace {

std::string ShellFolder(int folderId) {
    char folder[MAX_PATH] = {};
    HRESULT result = ::SHGetFolderPathA(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, folder);
    if (FAILED(result))
        throw EFileError("Unable to locate the application data folder: " + ComErrorText(result));
    return folder;
}

struct TProgramWindowSearch {
    const std::string* ClassName;
    const std::string* ImageName;
    bool Found;
};

bool IsProcessImage(DWORD processId, const std::string& imageName) {
    UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process)
        return false;
    char image[MAX_PATH * 2] = {};
    DWORD length = sizeof image;
    if (!::QueryFullProcessImageNameA(process.Get(), 0, image, &length))
        return false;
    return ::lstrcmpiA(std::string(FileNamePart(std::string_view(image, length))).c_str(),
                       imageName.c_str()) == 0;
}

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<TProgramWindowSearch*>(parameter);
    char className[256] = {};
    if (!::IsWindowVisible(window) || !::GetClassNameA(window, className, sizeof className) ||
        ::lstrcmpiA(className, search.ClassName->c_str()) != 0)
        return TRUE;
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    search.Found = IsProcessImage(processId, *search.ImageName);
    return !search.Found;
}

} // namespace

bool TBrowserWindows::VisibleWindowOfProgram(const std::string& className, const std::string& imageName) {
    TProgramWindowSearch search{&className, &imageName, false};
    ::EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string TBrowserWindows::AppDataFolder() {
    return ShellFolder(CSIDL_APPDATA);
}

std::string TBrowserWindows::LocalAppDataFolder() {
    return ShellFolder(CSIDL_LOCAL_APPDATA);
}

std::string TBrowserWindows::LanguageTag() {
    // Both names are short ASCII codes that every version of the system keeps.
    char language[16] = {};
    char country[16] = {};
    if (!::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, language, sizeof language))
        return "en-US";
    if (!::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, sizeof country))
        return language;
    return std::string(language) + "-" + country;
}

} // namespace tsy::win32
