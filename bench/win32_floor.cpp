// The system's floor for start-up on Windows: the least a Win32 program does to show the
// program's two instruction lines in one multi-line EDIT control of the same client size, timed
// beside the program under Wine by bench/startup_bench.sh --windows. Built a second time with
// ONTOP_RICH_EDIT_FLOOR, the control is the rich edit control the program uses instead, which
// shows how much of the program's time is the control's own.
#include <richedit.h>
#include <windows.h>

#include <string>

#include "core/window/instruction_text.h"

namespace {

LRESULT CALLBACK floor_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_SIZE:
            MoveWindow(GetWindow(window, GW_CHILD), 0, 0, LOWORD(lparam), HIWORD(lparam), TRUE);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = floor_procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    window_class.lpszClassName = L"Form1Floor";
    RegisterClassW(&window_class);
#ifdef ONTOP_RICH_EDIT_FLOOR
    LoadLibraryW(L"Msftedit.dll");
    const wchar_t* const control_class = MSFTEDIT_CLASS;
#else
    const wchar_t* const control_class = L"EDIT";
#endif

    // The program's client area at 96 dpi: 5910 x 4305 twips.
    RECT frame{0, 0, 394, 287};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND form = CreateWindowExW(
        0, L"Form1Floor", L"Form1", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    const std::wstring text(window::instruction_text.begin(), window::instruction_text.end());
    const HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, control_class, text.c_str(),
                                      WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 394, 287, form,
                                      nullptr, instance, nullptr);
    SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 FALSE);
    ShowWindow(form, show);

    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
