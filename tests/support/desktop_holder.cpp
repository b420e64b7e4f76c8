// Holds the desktop of a Wine test session open until its standard input ends.
//
// Under Wine the first thread that needs a desktop starts explorer.exe to own
// it, and explorer closes the desktop about a second after its last other
// user has gone. Without a holder every test program that makes a window (COM
// makes one for each apartment) starts an explorer of its own, which inherits
// the test's standard handles: CTest then waits for that explorer after the
// test itself has ended. While this program runs, one explorer, started with
// this program's handles, serves the whole session.
//
// Prints "ready" once the desktop is up.

#include <windows.h>

#include <cstdio>

namespace {

LRESULT CALLBACK HolderWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int main() {
    WNDCLASSW window_class = {};
    window_class.lpfnWndProc = HolderWindowProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"QuillantDesktopHolder";
    if (!RegisterClassW(&window_class)) {
        std::fprintf(stderr, "desktop_holder: RegisterClass failed (%lu)\n", GetLastError());
        return 1;
    }
    // A message-only window is enough to make this thread a user of the
    // desktop; making it waits until explorer has started.
    HWND window = CreateWindowExW(0, window_class.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  window_class.hInstance, nullptr);
    if (!window) {
        std::fprintf(stderr, "desktop_holder: CreateWindowEx failed (%lu)\n", GetLastError());
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    char buffer[256];
    DWORD read = 0;
    while (ReadFile(input, buffer, sizeof buffer, &read, nullptr) && read > 0) {
    }
    DestroyWindow(window);
    return 0;
}
