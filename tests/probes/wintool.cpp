// Answers questions about windows from inside Wine, where hidden windows and
// client areas can be seen:
//   wintool.exe find TITLE    prints the handle of the top-level window TITLE
//   wintool.exe client TITLE  prints its client area: left top width height
//                             (screen pixels)
// Exit code 0 when the window exists, 1 when it does not, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
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
    std::fputs("usage: wintool find|client TITLE\n", stderr);
    return 2;
}
