#include "support/win32/VersionResource.h"

#include <windows.h>

#include <vector>

namespace tsy::win32 {

TVersionLibrary::TVersionLibrary()
    : library_("version.dll"), size_(library_.Find<TSize>("GetFileVersionInfoSizeA")),
      read_(library_.Find<TRead>("GetFileVersionInfoA")), query_(library_.Find<TQuery>("VerQueryValueA")) {}

std::vector<char> TVersionLibrary::Read(const std::string& path) const {
    if (!size_ || !read_ || !query_)
        return {};
    DWORD ignored = 0;
    const DWORD size = size_(path.c_str(), &ignored);
    if (size == 0)
        return {};
    std::vector<char> resource(size);
    if (!read_(path.c_str(), 0, size, resource.data()))
        return {};
    return resource;
}

bool TVersionLibrary::Query(const std::vector<char>& resource, const char* block, void** value,
                            UINT* length) const {
    return !resource.empty() && query_(resource.data(), block, value, length);
}

TVersionInfo ReadVersionInfo(const std::string& executablePath) {
    TVersionInfo info;
    const TVersionLibrary library;
    const std::vector<char> buffer = library.Read(executablePath);
    if (buffer.empty())
        return info;

    void* value = nullptr;
    UINT length = 0;
    if (library.Query(buffer, "\\", &value, &length) && length >= sizeof(VS_FIXEDFILEINFO)) {
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
        info.File = SplitVersionFields(fixed->dwFileVersionMS, fixed->dwFileVersionLS);
        info.Product = SplitVersionFields(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    }
    if (library.Query(buffer, "\\VarFileInfo\\Translation", &value, &length) && length >= 4) {
        const auto* translation = static_cast<const WORD*>(value);
        const WORD language = translation[0];
        const WORD codePage = translation[1];
        for (std::size_t i = 0; i < kVersionStringNames.size(); ++i) {
            const std::string path = VersionStringPath(language, codePage, kVersionStringNames[i]);
            char* text = nullptr;
            UINT textLength = 0;
            std::string& item = VersionString(info, i);
            if (library.Query(buffer, path.c_str(), reinterpret_cast<void**>(&text), &textLength) && text)
                item.assign(text, strnlen(text, textLength));
            else
                item = std::string(kVersionStringNames[i]);
        }
    }
    return info;
}

} // namespace tsy::win32
