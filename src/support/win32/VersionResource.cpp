#include "support/win32/VersionResource.h"

#include <windows.h>

#include <vector>

namespace tsy::win32 {

TVersionInfo ReadVersionInfo(const std::string& executablePath) {
    TVersionInfo info;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(executablePath.c_str(), &ignored);
    if (size == 0)
        return info;
    std::vector<char> buffer(size);
    if (!GetFileVersionInfoA(executablePath.c_str(), 0, size, buffer.data()))
        return info;

    void* value = nullptr;
    UINT length = 0;
    if (VerQueryValueA(buffer.data(), "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        info.File = SplitVersionFields(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        info.Product = SplitVersionFields(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    }
    if (VerQueryValueA(buffer.data(), "\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const auto* translation = static_cast<const WORD*>(value);
        const WORD language = translation[0];
        const WORD codePage = translation[1];
        for (std::size_t i = 0; i < kVersionStringNames.size(); ++i) {
            const std::string path = VersionStringPath(language, codePage, kVersionStringNames[i]);
            char* text = nullptr;
            UINT textLength = 0;
            std::string& item = VersionString(info, i);
            if (VerQueryValueA(buffer.data(), path.c_str(), reinterpret_cast<void**>(&text), &textLength) &&
                text)
                item.assign(text, strnlen(text, textLength));
            else
                item = std::string(kVersionStringNames[i]);
        }
    }
    return info;
}

} // namespace tsy::win32
