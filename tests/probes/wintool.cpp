// Answers questions about windows from inside Wine, where hidden windows and
// client areas can be seen:
//   wintool.exe find TITLE    prints the handle of the top-level window TITLE
//   wintool.exe client TITLE  prints its client area: left top width height
//                             (screen pixels)
//   wintool.exe send TITLE MESSAGE WPARAM LPARAM
//                             sends it the message and prints the result
//   wintool.exe child TITLE CHILD
//                             prints the child window CHILD of TITLE: left top
//                             width height (in TITLE's client area), whether it
//                             is visible, whether it has the child style and
//                             whether it has the popup style
//   wintool.exe window TITLE  prints its window rectangle, frame included:
//                             left top width height (screen pixels)
//   wintool.exe combos TITLE  prints a line for each combo box in it, in
//                             creation order: enabled (0 or 1), its text, and
//                             its list items, separated by "|", in UTF-8
//   wintool.exe owner TITLE   prints the handle of the window that owns it
//                             (0 for none)
//   wintool.exe listitems TITLE
//                             prints the items of each list view in it, a
//                             line each, in UTF-8 (the open-file dialog's
//                             list of files)
//   wintool.exe firstitem TITLE
//                             prints the screen rectangle of the first item
//                             of its first list view: left top width height
//   wintool.exe move TITLE X Y  moves the window's top-left corner there
//   wintool.exe focus TITLE   prints the window that has the focus in its
//                             thread: left top width height in TITLE's
//                             client area, and its class
//   wintool.exe minimize TITLE / restore TITLE
//                             minimises or restores it; prints 1 when it is
//                             minimised after that, else 0
//   wintool.exe endall TITLE...  ends every process that shows a top-level
//                             window with one of the titles
//   wintool.exe shortpath PATH  prints the file's short path
//   wintool.exe screen        prints the primary screen's width and height
//   wintool.exe registrymode  gives the display its registry mode back
//                             (ChangeDisplaySettings(NULL, 0)), prints the result
//   wintool.exe foreground    prints the title of the foreground window
//   wintool.exe sendowned TITLE MESSAGE WPARAM LPARAM
//                             sends the message to each window TITLE owns,
//                             prints each result on a line
//   wintool.exe exstyle TITLE prints its extended style in hexadecimal
//   wintool.exe pid TITLE     prints the id of the process that owns it
//   wintool.exe kill TITLE    ends the process that owns it at once
//   wintool.exe owned TITLE   prints a line for each top-level window it
//                             owns: left top width height (screen pixels),
//                             visible (0 or 1), its title in UTF-8
//   wintool.exe moveowned TITLE X Y
//                             moves every window it owns to X, Y
//   wintool.exe monitors      prints a line for each monitor: left top width
//                             height, primary (0 or 1)
// Exit code 0 when the window exists, 1 when it does not, 2 on bad usage.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

void PrintUtf8(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, bytes.data(), length, nullptr, nullptr);
    std::fputs(bytes.data(), stdout);
}

// Asked of the control itself: GetWindowText gives only the caption stored
// with a window of another process.
std::wstring TextOf(HWND window)
{
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<wchar_t> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
    SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

BOOL CALLBACK PrintComboBox(HWND child, LPARAM)
{
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"ComboBox") != 0) return TRUE;
    std::wstring line = IsWindowEnabled(child) ? L"1" : L"0";
    line += L"|" + TextOf(child);
    const auto count = SendMessageW(child, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(child, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::vector<wchar_t> item(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
        SendMessageW(child, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
        line += L"|";
        line += item.data();
    }
    PrintUtf8(line + L"\n");
    return TRUE;
}

// The first list view among a window's descendants.
HWND FirstListView(HWND window)
{
    HWND found = nullptr;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM result) {
            wchar_t className[32] = {};
            GetClassNameW(child, className, 32);
            if (_wcsicmp(className, L"SysListView32") != 0) return TRUE;
            *reinterpret_cast<HWND*>(result) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// A list view of another process reads and writes its records only in that
// process's memory: a block there, owned, released with the process handle.
class RemoteMemory {
public:
    RemoteMemory(HWND window, std::size_t bytes)
    {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
        if (process_)
            block_ = static_cast<std::uint8_t*>(VirtualAllocEx(process_, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteMemory()
    {
        if (block_) VirtualFreeEx(process_, block_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;

    explicit operator bool() const { return block_ != nullptr; }
    std::uint8_t* At(std::size_t offset) const { return block_ + offset; }
    void Write(std::size_t offset, const void* data, std::size_t size) const
    {
        WriteProcessMemory(process_, At(offset), data, size, nullptr);
    }
    void Read(std::size_t offset, void* data, std::size_t size) const
    {
        ReadProcessMemory(process_, At(offset), data, size, nullptr);
    }

private:
    HANDLE process_ = nullptr;
    std::uint8_t* block_ = nullptr;
};

// The item record, then its text buffer, in the list view's process.
BOOL CALLBACK PrintListViewItems(HWND child, LPARAM)
{
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (_wcsicmp(className, L"SysListView32") != 0) return TRUE;
    constexpr int kTextLength = 512;
    const RemoteMemory remote(child, sizeof(LVITEMW) + kTextLength * sizeof(wchar_t));
    if (!remote) return TRUE;
    const auto count = SendMessageW(child, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LVITEMW item{};
        item.cchTextMax = kTextLength;
        item.pszText = reinterpret_cast<wchar_t*>(remote.At(sizeof(LVITEMW)));
        remote.Write(0, &item, sizeof item);
        const auto length =
            SendMessageW(child, LVM_GETITEMTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote.At(0)));
        std::vector<wchar_t> text(kTextLength + 1, L'\0');
        remote.Read(sizeof(LVITEMW), text.data(), kTextLength * sizeof(wchar_t));
        text[static_cast<std::size_t>(length >= 0 && length < kTextLength ? length : 0)] = L'\0';
        PrintUtf8(std::wstring(text.data()) + L"\n");
    }
    return TRUE;
}

// The top-level windows that `owner` owns, in the system's z-order.
std::vector<HWND> OwnedWindows(HWND owner)
{
    struct Search {
        HWND owner;
        std::vector<HWND> found;
    } search{owner, {}};
    EnumWindows(
        [](HWND window, LPARAM data) {
            auto* s = reinterpret_cast<Search*>(data);
            if (GetWindow(window, GW_OWNER) == s->owner) s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK PrintMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    const RECT& r = info.rcMonitor;
    std::printf("%ld %ld %ld %ld %d\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
    return TRUE;
}

}  // namespace

// How long endall waits for a process it ended to be gone.
constexpr DWORD kEndWaitMs = 5000;

int wmain(int argc, wchar_t** argv)
{
    // Sizes and positions in real screen pixels, whatever the display's scaling.
    SetProcessDPIAware();
    if (argc == 2 && std::wcscmp(argv[1], L"monitors") == 0) {
        EnumDisplayMonitors(nullptr, nullptr, PrintMonitor, 0);
        return 0;
    }
    if (argc == 2 && std::wcscmp(argv[1], L"screen") == 0) {
        std::printf("%d %d\n", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
        return 0;
    }
    if (argc == 2 && std::wcscmp(argv[1], L"registrymode") == 0) {
        // What Windows does to a full-screen program's mode when the user
        // goes to another desktop and back.
        std::printf("%ld\n", ChangeDisplaySettingsW(nullptr, 0));
        return 0;
    }
    if (argc == 2 && std::wcscmp(argv[1], L"foreground") == 0) {
        const HWND foreground = GetForegroundWindow();
        if (!foreground) return 1;
        PrintUtf8(TextOf(foreground) + L"\n");
        return 0;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"endall") == 0) {
        // Ends every process that shows a window with one of the titles.
        for (int i = 2; i < argc; ++i) {
            while (const HWND found = FindWindowW(nullptr, argv[i])) {
                DWORD processId = 0;
                GetWindowThreadProcessId(found, &processId);
                const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
                if (!process) return 1;
                TerminateProcess(process, 1);
                WaitForSingleObject(process, kEndWaitMs);
                CloseHandle(process);
                if (FindWindowW(nullptr, argv[i]) == found) return 1;
            }
        }
        return 0;
    }
    if (argc == 3 && std::wcscmp(argv[1], L"shortpath") == 0) {
        wchar_t shortPath[MAX_PATH] = {};
        const DWORD length = GetShortPathNameW(argv[2], shortPath, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return 1;
        PrintUtf8(std::wstring(shortPath) + L"\n");
        return 0;
    }
    if (argc < 3) {
        std::fputs("usage: wintool find|client TITLE\n", stderr);
        return 2;
    }
    HWND window = FindWindowW(nullptr, argv[2]);
    if (!window) return 1;
    if (std::wcscmp(argv[1], L"find") == 0) {
        std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(window)));
        return 0;
    }
    if (std::wcscmp(argv[1], L"client") == 0) {
        RECT client{};
        GetClientRect(window, &client);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
        return 0;
    }
    if (std::wcscmp(argv[1], L"owner") == 0) {
        std::printf("%lld\n", static_cast<long long>(reinterpret_cast<INT_PTR>(GetWindow(window, GW_OWNER))));
        return 0;
    }
    if (std::wcscmp(argv[1], L"window") == 0) {
        RECT rect{};
        GetWindowRect(window, &rect);
        std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        return 0;
    }
    if (std::wcscmp(argv[1], L"firstitem") == 0) {
        const HWND list = FirstListView(window);
        if (!list || SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) < 1) return 1;
        const RemoteMemory remote(list, sizeof(RECT));
        if (!remote) return 1;
        RECT item{LVIR_LABEL, 0, 0, 0};
        remote.Write(0, &item, sizeof item);
        SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(remote.At(0)));
        remote.Read(0, &item, sizeof item);
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
        std::printf("%ld %ld %ld %ld\n", item.left, item.top, item.right - item.left, item.bottom - item.top);
        return 0;
    }
    if (std::wcscmp(argv[1], L"focus") == 0) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 1;
        RECT rect{};
        GetWindowRect(info.hwndFocus, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        wchar_t className[64] = {};
        GetClassNameW(info.hwndFocus, className, 64);
        std::printf("%ld %ld %ld %ld ", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        PrintUtf8(std::wstring(className) + L"\n");
        return 0;
    }
    if (std::wcscmp(argv[1], L"move") == 0 && argc == 5) {
        const int x = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
        const int y = static_cast<int>(std::wcstol(argv[4], nullptr, 10));
        return SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
    }
    if (std::wcscmp(argv[1], L"owned") == 0) {
        for (HWND owned : OwnedWindows(window)) {
            RECT rect{};
            GetWindowRect(owned, &rect);
            std::printf("%ld %ld %ld %ld %d ", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        IsWindowVisible(owned) ? 1 : 0);
            PrintUtf8(TextOf(owned) + L"\n");
        }
        return 0;
    }
    if (std::wcscmp(argv[1], L"sendowned") == 0 && argc == 6) {
        const auto message = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        const auto wParam = static_cast<WPARAM>(std::wcstoull(argv[4], nullptr, 0));
        const auto lParam = static_cast<LPARAM>(std::wcstoll(argv[5], nullptr, 0));
        for (HWND owned : OwnedWindows(window))
            std::printf("%lld\n", static_cast<long long>(SendMessageW(owned, message, wParam, lParam)));
        return 0;
    }
    if (std::wcscmp(argv[1], L"exstyle") == 0) {
        std::printf("%#lx\n", static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
        return 0;
    }
    if (std::wcscmp(argv[1], L"moveowned") == 0 && argc == 5) {
        const int x = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
        const int y = static_cast<int>(std::wcstol(argv[4], nullptr, 10));
        for (HWND owned : OwnedWindows(window))
            SetWindowPos(owned, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    if (std::wcscmp(argv[1], L"listitems") == 0) {
        EnumChildWindows(window, PrintListViewItems, 0);
        return 0;
    }
    if (std::wcscmp(argv[1], L"combos") == 0) {
        EnumChildWindows(window, PrintComboBox, 0);
        return 0;
    }
    if (std::wcscmp(argv[1], L"child") == 0 && argc == 4) {
        HWND child = FindWindowExW(window, nullptr, nullptr, argv[3]);
        if (!child) return 1;
        RECT rect{};
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        std::printf("%ld %ld %ld %ld %d %d %d\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                    IsWindowVisible(child) ? 1 : 0, (style & WS_CHILD) != 0 ? 1 : 0,
                    (style & static_cast<LONG>(WS_POPUP)) != 0 ? 1 : 0);
        return 0;
    }
    if (std::wcscmp(argv[1], L"pid") == 0 || std::wcscmp(argv[1], L"kill") == 0) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (std::wcscmp(argv[1], L"pid") == 0) {
            std::printf("%lu\n", processId);
            return 0;
        }
        HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
        const BOOL ended = process && TerminateProcess(process, 1);
        if (process) CloseHandle(process);
        return ended ? 0 : 1;
    }
    if (std::wcscmp(argv[1], L"minimize") == 0 || std::wcscmp(argv[1], L"restore") == 0) {
        ShowWindow(window, std::wcscmp(argv[1], L"minimize") == 0 ? SW_MINIMIZE : SW_RESTORE);
        std::printf("%d\n", IsIconic(window) ? 1 : 0);
        return 0;
    }
    if (std::wcscmp(argv[1], L"send") == 0 && argc == 6) {
        const auto message = static_cast<UINT>(std::wcstoul(argv[3], nullptr, 0));
        const auto wParam = static_cast<WPARAM>(std::wcstoull(argv[4], nullptr, 0));
        const auto lParam = static_cast<LPARAM>(std::wcstoll(argv[5], nullptr, 0));
        std::printf("%lld\n", static_cast<long long>(SendMessageW(window, message, wParam, lParam)));
        return 0;
    }
    std::fputs("usage: wintool find|client|window|owner|combos|listitems|firstitem|move|focus|send|child|pid|kill|owned|moveowned|minimize|restore TITLE [MESSAGE WPARAM LPARAM]\n", stderr);
    return 2;
}
