// Fills a real text box with each candidate way and each benchmark text, each pair in a process
// of its own, and prints the time until the text is shown, then until the window answers after a
// resize, after a change to a 24-point font, after Ctrl+End and after a keystroke in the middle of
// the text, and the process's peak memory beside the bound of 8 × the file's size + 200 MiB. Run
// under Wine by bench/fill_bench.sh.
//   win32_fill_bench [--candidates a,b] [--cases x,y] [--timeout S]
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/host/host_error.h"
#include "fill_report.h"
#include "fill_texts.h"
#include "platform/win32/scintilla_classes.h"
#include "platform/win32/scintilla_text_box.h"
#include "platform/win32/win_edit_menu.h"

namespace {

using fill_bench::mib;

// The program's client area at 96 dpi.
constexpr int client_width = 394;
constexpr int client_height = 287;

// The program's own text box fills through set_text or through a paste of the same text.
enum class Control { edit, program_open, program_paste };

struct Candidate {
    std::string_view name;
    std::string_view what;
    Control control;
    bool breaks = true;  // Japanese rows broken where Unicode allows (line_breaks.h)
};

const Candidate candidates[] = {
    {"edit.settext", "classic EDIT, WM_SETTEXT (the text box before)", Control::edit},
    {"program.open", "the program's text box (Scintilla), as the open command fills it",
     Control::program_open},
    {"program.paste", "the program's paste of the same text into its empty box",
     Control::program_paste},
    {"program.nobreaks", "the program's text box breaking rows at spaces only, as Scintilla does",
     Control::program_open, false},
};

// The form passes the box's notifications on, as the program's Form1 does, so that the box
// styles its text for Japanese breaks.
LRESULT CALLBACK form_procedure(HWND form, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NOTIFY) {
        if (auto* const box = reinterpret_cast<platform::win32::ScintillaTextBox*>(
                GetWindowLongPtrW(form, GWLP_USERDATA))) {
            box->on_notify(*reinterpret_cast<const SCNotification*>(lparam));
            return 0;
        }
    }
    return DefWindowProcW(form, message, wparam, lparam);
}

// The ordinary files, the unbroken runs, a line of Japanese and the empty lines, as the Linux
// benchmark has them; words_<N>k on request.
const char* const default_cases[] = {"lines_1m",       "lines_10m",  "lines_100m", "lines_256m",
                                     "run_64k",        "run_2048k",  "run_16384k", "run_32768k",
                                     "japanese_8192k", "empty_1000k"};

std::uint64_t bound_bytes(std::uint64_t file_bytes) {
    return 8 * file_bytes + 200 * mib;
}

PROCESS_MEMORY_COUNTERS memory() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters;
}

double in_mib(std::uint64_t bytes) {
    return static_cast<double>(bytes) / static_cast<double>(mib);
}

HFONT message_font(int points) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (points > 0)
        metrics.lfMessageFont.lfHeight = -MulDiv(points, 96, 72);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

HWND create_edit(HWND form) {
    const HWND box = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, client_width,
        client_height, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(message_font(0)), FALSE);
    return box;
}

void put_on_clipboard(HWND owner, const std::u16string& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    OpenClipboard(owner);
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

void pump_messages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Ends this process from a watching thread once it outgrows `cap` or outlasts `timeout`.
void watch(std::uint64_t cap, std::chrono::seconds timeout, const std::atomic<bool>& done) {
    const auto start = std::chrono::steady_clock::now();
    while (!done) {
        const PROCESS_MEMORY_COUNTERS now = memory();
        const auto elapsed = std::chrono::steady_clock::now() - start;
        if (now.WorkingSetSize > cap || elapsed > timeout) {
            std::printf("stopped %.1f %.0f %s\n", std::chrono::duration<double>(elapsed).count(),
                        in_mib(now.PeakWorkingSetSize),
                        now.WorkingSetSize > cap ? "memory" : "time");
            std::fflush(stdout);
            TerminateProcess(GetCurrentProcess(), 3);
        }
        Sleep(20);
    }
}

// How long `step` takes until the window has painted what it changed, printed as
// "<phase> <seconds> <peak MiB>" at once, so that a run stopped later keeps it. Work the box
// leaves for idle time (Scintilla wraps the rest of the text then) is not waited for.
template <class Step>
void timed(const char* phase, HWND form, Step&& step) {
    const auto start = std::chrono::steady_clock::now();
    step();
    RedrawWindow(form, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s %.3f %.0f\n", phase, seconds, in_mib(memory().PeakWorkingSetSize));
    std::fflush(stdout);
}

// Handles messages for `period`, as while the user looks at the window; returns the longest
// any one of them kept the window from answering.
double idle_for(std::chrono::milliseconds period) {
    const auto end = std::chrono::steady_clock::now() + period;
    double longest = 0;
    while (std::chrono::steady_clock::now() < end) {
        MSG message{};
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            Sleep(1);
            continue;
        }
        const auto start = std::chrono::steady_clock::now();
        TranslateMessage(&message);
        DispatchMessageW(&message);
        longest = std::max(
            longest,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    return longest;
}

// One candidate with one text: "base <MiB> <file bytes>", then a line for each phase, then
// "done <verdict>".
int run_one(const Candidate& candidate, std::string_view case_name, std::chrono::seconds timeout) {
    auto text = fill_bench::fill_text(case_name);
    if (!text) {
        std::printf("error unknown case\n");
        return 2;
    }
    const std::size_t length = text->text.size();
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const platform::win32::ScintillaClasses scintilla(instance);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = form_procedure;
    window_class.hInstance = instance;
    window_class.lpszClassName = L"FillBench";
    RegisterClassW(&window_class);
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND form = CreateWindowExW(
        0, L"FillBench", L"Form1", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
        frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    platform::win32::ScintillaTextBox program_box;
    const bool program = candidate.control != Control::edit;
    HWND box = nullptr;
    if (program) {
        program_box.create(form, instance);
        if (candidate.breaks)
            SetWindowLongPtrW(form, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&program_box));
        program_box.set_width(client_width * 15.0f);
        program_box.set_height(client_height * 15.0f);
        box = program_box.hwnd();
        program_box.set_text(u"");
        if (candidate.control == Control::program_paste) {
            put_on_clipboard(form, text->text);
            // The clipboard holds it now, as another program's copy would.
            std::u16string().swap(text->text);
        }
    } else {
        box = create_edit(form);
    }
    UpdateWindow(form);
    pump_messages();
    std::printf("base %.0f %llu\n", in_mib(memory().PeakWorkingSetSize),
                static_cast<unsigned long long>(text->file_bytes));
    std::fflush(stdout);

    std::atomic<bool> done = false;
    const std::uint64_t cap =
        std::min<std::uint64_t>(4 * bound_bytes(text->file_bytes), 3072 * mib);
    std::thread watcher(watch, cap, timeout, std::cref(done));
    const char* verdict = "ok";
    timed("shown", form, [&] {
        if (candidate.control == Control::program_open) {
            try {
                // Handed over as the open command hands over what it read.
                program_box.set_text(std::move(text->text));
            } catch (const host::HostError&) {
                verdict = "refused";
            }
        } else if (candidate.control == Control::program_paste) {
            platform::win32::paste_plain_text(program_box);
        } else {
            SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text->text.c_str()));
        }
    });
    constexpr std::chrono::milliseconds looking(300);
    double busiest = 0;
    if (std::string_view(verdict) == "ok") {
        busiest = std::max(busiest, idle_for(looking));
        // Narrower by a fifth, as a user drags the window's edge.
        timed("resized", form, [&] {
            SetWindowPos(box, nullptr, 0, 0, client_width * 4 / 5, client_height,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        });
        busiest = std::max(busiest, idle_for(looking));
        timed("font", form, [&] {
            if (program) {
                program_box.set_font_name(program_box.font_name());
                program_box.set_font_bold(program_box.font_bold());
                program_box.set_font_italic(program_box.font_italic());
                program_box.set_font_size(24);
            } else {
                SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(message_font(24)), TRUE);
            }
        });
        busiest = std::max(busiest, idle_for(looking));
        timed("end", form, [&] {
            if (program) {
                SendMessageW(box, SCI_DOCUMENTEND, 0, 0);
            } else {
                SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(-1), -1);
                SendMessageW(box, EM_SCROLLCARET, 0, 0);
            }
        });
        // The idle wrap goes on above the rows the jump showed.
        busiest = std::max(busiest, idle_for(looking));
        // A character typed in the middle (in a long line, the line's middle), once the jump
        // there has been wrapped and shown.
        if (program) {
            const LRESULT middle = SendMessageW(box, SCI_GETLENGTH, 0, 0) / 2;
            SendMessageW(box, SCI_GOTOPOS,
                         SendMessageW(box, SCI_POSITIONBEFORE,
                                      SendMessageW(box, SCI_POSITIONAFTER, middle, 0), 0),
                         0);
        } else {
            SendMessageW(box, EM_SETSEL, length / 2, length / 2);
        }
        idle_for(looking);
        timed("key", form, [&] { SendMessageW(box, WM_CHAR, L'字', 0); });
        busiest = std::max(busiest, idle_for(looking));
        const std::size_t held = program ? program_box.text().size()
                                         : static_cast<std::size_t>(GetWindowTextLengthW(box));
        if (held != length + 1)
            verdict = "short";
    }
    done = true;
    watcher.join();
    std::printf("busiest %.3f\n", busiest);
    std::printf("done %s %.0f\n", verdict, in_mib(memory().PeakWorkingSetSize));
    std::fflush(stdout);
    return 0;
}

std::string narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

// Runs this program again for one pair and returns all it printed; a child past its own
// deadline is ended from here.
std::string run_child(const std::string& candidate, const std::string& case_name, int timeout) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read_end = nullptr;
    HANDLE write_end = nullptr;
    CreatePipe(&read_end, &write_end, &inherit, 0);
    SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::string arguments =
        " --run " + candidate + " " + case_name + " --timeout " + std::to_string(timeout);
    std::wstring command = L"\"" + std::wstring(self) + L"\"";
    command.append(arguments.begin(), arguments.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write_end;
    startup.hStdError = write_end;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(write_end);
    if (!started) {
        CloseHandle(read_end);
        return "error could not start\n";
    }
    std::string output;
    std::thread reader([&] {
        char buffer[256];
        DWORD got = 0;
        while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
    });
    // Each of the five phases may take up to the timeout.
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeout + 30) * 1000) !=
        WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 4);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    reader.join();
    CloseHandle(read_end);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return output.empty() ? "error no answer\n" : output;
}

// One row: the seconds of each phase reached ("-" for one not reached), the peak memory and
// the verdict.
void print_row(const std::string& candidate, const std::string& case_name,
               const std::string& answer) {
    static const char* const phases[] = {"shown", "resized", "font", "end", "key"};
    fill_report::print_row(candidate, case_name, answer, phases,
                           [](std::uint64_t bytes) { return in_mib(bound_bytes(bytes)); });
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(narrow(argv[i]));
    int timeout = 90;
    std::vector<std::string> chosen_candidates;
    std::vector<std::string> chosen_cases(std::begin(default_cases), std::end(default_cases));
    for (const Candidate& c : candidates)
        chosen_candidates.emplace_back(c.name);
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--timeout")
            timeout = std::stoi(args[i + 1]);
        else if (args[i] == "--candidates")
            chosen_candidates = fill_report::split(args[i + 1]);
        else if (args[i] == "--cases")
            chosen_cases = fill_report::split(args[i + 1]);
    }
    if (args.size() >= 3 && args[0] == "--run") {
        for (const Candidate& c : candidates) {
            if (c.name == args[1])
                return run_one(c, args[2], std::chrono::seconds(timeout));
        }
        std::printf("error unknown candidate\n");
        return 2;
    }
    std::printf(
        "Filling a %dx%d text box, then narrowing it by a fifth, a 24-point font, Ctrl+End and a\n"
        "keystroke mid-text, 0.3 s apart: seconds until each is painted, the longest any other\n"
        "message took in\n"
        "between and in 0.3 s after; peak working set beside the bound of 8 x file + 200 MiB\n",
        client_width, client_height);
    for (const Candidate& c : candidates)
        std::printf("  %-14s %.*s\n", std::string(c.name).c_str(), static_cast<int>(c.what.size()),
                    c.what.data());
    std::printf("%-15s %-14s %8s %9s %9s %9s %9s %9s %9s %8s %8s %6s\n", "case", "candidate",
                "file MiB", "shown s", "resize s", "24 pt s", "end s", "key s", "longest",
                "peak MiB", "bound", "base");
    for (const std::string& case_name : chosen_cases) {
        for (const std::string& candidate : chosen_candidates)
            print_row(candidate, case_name, run_child(candidate, case_name, timeout));
    }
    return 0;
}
