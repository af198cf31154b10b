#include "ProgramDriver.h"

#include <commctrl.h>

// List views of another process: their items are read and written through that process's memory.
namespace tsy::e2e {

namespace {

// A block of memory in the process that owns a window, for messages that carry pointers.
class TRemoteBuffer {
public:
    TRemoteBuffer(HWND window, size_t size) : size_(size) {
        DWORD processID = 0;
        GetWindowThreadProcessId(window, &processID);
        process_.Reset(
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processID));
        if (process_)
            address_ =
                VirtualAllocEx(process_.Get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    TRemoteBuffer(const TRemoteBuffer&) = delete;
    TRemoteBuffer& operator=(const TRemoteBuffer&) = delete;
    ~TRemoteBuffer() {
        if (address_)
            VirtualFreeEx(process_.Get(), address_, 0, MEM_RELEASE);
    }
    void* Address() const { return address_; }
    bool Write(const void* data, size_t size, size_t offset = 0) const {
        return address_ && offset + size <= size_ &&
               WriteProcessMemory(process_.Get(), static_cast<char*>(address_) + offset, data, size, nullptr);
    }
    bool Read(void* data, size_t size, size_t offset = 0) const {
        return address_ && offset + size <= size_ &&
               ReadProcessMemory(process_.Get(), static_cast<char*>(address_) + offset, data, size, nullptr);
    }

private:
    win32::UniqueKernelHandle process_;
    void* address_ = nullptr;
    size_t size_;
};

} // namespace

void SetListItemState(HWND list, int row, UINT state, UINT mask) {
    TRemoteBuffer remote(list, sizeof(LVITEMA));
    LVITEMA item{};
    item.stateMask = mask;
    item.state = state;
    if (remote.Write(&item, sizeof item))
        SendMessageA(list, LVM_SETITEMSTATE, WPARAM(row), reinterpret_cast<LPARAM>(remote.Address()));
}

std::string ListCellText(HWND list, int row, int column) {
    constexpr size_t textSize = 1024;
    TRemoteBuffer remote(list, sizeof(LVITEMA) + textSize);
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(remote.Address()) + sizeof(LVITEMA);
    item.cchTextMax = int(textSize);
    char text[textSize] = {};
    if (!remote.Write(&item, sizeof item))
        return {};
    SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(row), reinterpret_cast<LPARAM>(remote.Address()));
    remote.Read(text, textSize - 1, sizeof(LVITEMA));
    return text;
}

int FindListRow(HWND list, const std::string& text) {
    for (int row = 0; row < ListRowCount(list); ++row)
        for (int column = 0; column < 3; ++column)
            if (ListCellText(list, row, column) == text)
                return row;
    return -1;
}

void SelectListRow(HWND list, int row) {
    SetListItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void CheckListRow(HWND list, int row, bool checked) {
    SetListItemState(list, row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int ListRowCount(HWND list) {
    return int(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

} // namespace tsy::e2e
