#include "update/win32/WinINetClient.h"

#include <windows.h>

#include <wininet.h>

#include <stdexcept>

#include "support/Format.h"
#include "support/Text.h"
#include "support/win32/UniqueHandle.h"

namespace tsy::win32 {

namespace {

struct InternetHandleTraits {
    static HINTERNET Invalid() noexcept { return nullptr; }
    static void Close(HINTERNET h) noexcept { ::InternetCloseHandle(h); }
};
using UniqueInternet = UniqueHandle<InternetHandleTraits>;

constexpr DWORD kReadStep = 1024;

bool IsValid(HINTERNET handle) {
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

std::string InternetErrorText(DWORD code) {
    char* text = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                           FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       GetModuleHandleA("wininet.dll"), code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message;
    if (length && text)
        message.assign(text, length);
    if (text)
        LocalFree(text);
    while (!message.empty() && IsBlank(message.back()))
        message.pop_back();
    // A code without a text still has to tell the user something.
    if (message.empty())
        message = Format("Internet error %lu.", static_cast<unsigned long>(code));
    return message;
}

} // namespace

void RaiseInternetError() {
    throw std::runtime_error(InternetErrorText(GetLastError()));
}

std::int32_t HttpGet(const std::string& url, std::uint32_t flags, std::string& body) {
    // Declared in closing order: the URL handle goes before the root handle.
    UniqueInternet root(InternetOpenA(kHttpAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!IsValid(root.Get())) {
        root.Release();
        RaiseInternetError();
    }
    UniqueInternet request(InternetOpenUrlA(root.Get(), url.c_str(), nullptr, 0, flags, 0));
    if (!IsValid(request.Get())) {
        request.Release();
        RaiseInternetError();
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    DWORD index = 0;
    if (!HttpQueryInfoA(request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        &index))
        RaiseInternetError();
    if (status == 200) {
        std::string received;
        for (;;) {
            const std::size_t before = received.size();
            received.resize(before + kReadStep);
            DWORD read = 0;
            if (!InternetReadFile(request.Get(), received.data() + before, kReadStep, &read))
                RaiseInternetError();
            received.resize(before + read);
            if (read == 0)
                break;
        }
        const auto nul = received.find('\0');
        if (nul != std::string::npos)
            received.resize(nul);
        body = std::move(received);
    }
    return std::int32_t(status);
}

} // namespace tsy::win32
