// Fills a real text box with each candidate way and each benchmark text, each pair in a process
// of its own, and prints the time until the text is shown and the process's peak memory beside
// the bound of 8 × the file's size + 200 MiB. Run under Wine by bench/fill_bench.sh.
//   win32_fill_bench [--candidates a,b] [--cases x,y] [--timeout S]
#include <windows.h>

#include <psapi.h>
#include <richedit.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "fill_texts.h"
#include "host/host_error.h"
#include "host/win32/edit_menu.h"
#include "host/win32/edit_text_box.h"
#include "host/win32/layout_budget.h"

namespace {

using fill_bench::mib;

// The program's client area at 96 dpi.
constexpr int client_width = 394;
constexpr int client_height = 287;

// The program's own text box fills through set_text or through a paste of the same text.
enum class Control { rich_edit, edit, program_open, program_paste };

struct Candidate {
    std::string_view name;
    std::string_view what;
    Control control;
    bool no_wrap = false;
    bool break_anywhere = false;
    bool quiet = false;  // redraw and notifications off while filling
    bool stream = false;
    bool own_dc = false;  // the control's class given CS_OWNDC: one DC for its whole life
};

const Candidate candidates[] = {
    {"rich.settext", "rich edit, WM_SETTEXT", Control::rich_edit},
    {"rich.stream", "rich edit, EM_STREAMIN SF_TEXT|SF_UNICODE", Control::rich_edit, false, false,
     false, true},
    {"rich.stream.quiet", "the same, redraw off and event mask 0 while filling", Control::rich_edit,
     false, false, true, true},
    {"rich.stream.breakproc", "the same with a word-break procedure that breaks anywhere",
     Control::rich_edit, false, true, true, true},
    {"rich.stream.nowrap", "the same, wrapping off (EM_SETTARGETDEVICE 0, 1)", Control::rich_edit,
     true, false, true, true},
    {"edit.settext", "classic EDIT, WM_SETTEXT", Control::edit},
    {"edit.settext.quiet", "classic EDIT, redraw off while filling", Control::edit, false, false,
     true},
    {"edit.settext.breakproc", "classic EDIT with a word-break procedure that breaks anywhere",
     Control::edit, false, true, true},
    {"edit.owndc", "classic EDIT, its class with CS_OWNDC", Control::edit, false, false, false,
     false, true},
    {"rich.stream.owndc", "rich edit, EM_STREAMIN, its class with CS_OWNDC", Control::rich_edit,
     false, false, false, true, true},
    {"program.open", "the program's text box: its budget, then WM_SETTEXT", Control::program_open},
    {"program.paste", "the program's paste of the same text into its empty box",
     Control::program_paste},
};

// The ordinary files, the unbroken runs and the empty lines; words_<N>k on request.
const char* const default_cases[] = {"lines_1m", "lines_10m", "lines_100m", "run_64k",
                                     "run_512k", "run_2048k", "empty_1000k"};

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

// Breaks wherever the control asks: a line may end after any character.
int CALLBACK break_anywhere(LPWSTR text, int current, int length, int code) {
    switch (code) {
        case WB_ISDELIMITER:
            return current < length && text[current] == L' ';
        case WB_CLASSIFY:
            return 0;
        default:
            return current;
    }
}

struct StreamSource {
    const char* bytes;
    std::size_t left;
};

DWORD CALLBACK stream_out_of(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* const source = reinterpret_cast<StreamSource*>(cookie);
    // Whole UTF-16 units only.
    const std::size_t n =
        std::min(source->left, static_cast<std::size_t>(wanted) & ~std::size_t{1});
    std::memcpy(buffer, source->bytes, n);
    source->bytes += n;
    source->left -= n;
    *given = static_cast<LONG>(n);
    return 0;
}

// The system's class again under a name of its own, with CS_OWNDC added.
const wchar_t* own_dc_class(const wchar_t* system_class) {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    GetClassInfoExW(nullptr, system_class, &window_class);
    window_class.style |= CS_OWNDC;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"FillBenchOwnDc";
    RegisterClassExW(&window_class);
    return window_class.lpszClassName;
}

HWND create_control(HWND form, const Candidate& candidate, const std::wstring& face) {
    const bool rich = candidate.control == Control::rich_edit;
    const wchar_t* const system_class = rich ? MSFTEDIT_CLASS : L"EDIT";
    const HWND box = CreateWindowExW(
        WS_EX_CLIENTEDGE, candidate.own_dc ? own_dc_class(system_class) : system_class, L"",
        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 0, client_width,
        client_height, form, nullptr, GetModuleHandleW(nullptr), nullptr);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    if (!face.empty())
        face.copy(metrics.lfMessageFont.lfFaceName, LF_FACESIZE - 1);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
    if (rich) {
        SendMessageW(box, EM_SETTEXTMODE, TM_PLAINTEXT | TM_MULTILEVELUNDO | TM_MULTICODEPAGE, 0);
        SendMessageW(box, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
        SendMessageW(box, EM_SETTARGETDEVICE, 0, candidate.no_wrap ? 1 : 0);
    } else {
        SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    }
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (candidate.break_anywhere)
        SendMessageW(box, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(&break_anywhere));
    return box;
}

void fill(HWND box, const Candidate& candidate, const std::u16string& text) {
    LRESULT events = 0;
    if (candidate.quiet) {
        SendMessageW(box, WM_SETREDRAW, FALSE, 0);
        if (candidate.control == Control::rich_edit)
            events = SendMessageW(box, EM_SETEVENTMASK, 0, 0);
    }
    if (candidate.stream) {
        StreamSource source{reinterpret_cast<const char*>(text.data()),
                            text.size() * sizeof(char16_t)};
        EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, &stream_out_of};
        SendMessageW(box, EM_STREAMIN, SF_TEXT | SF_UNICODE, reinterpret_cast<LPARAM>(&stream));
    } else {
        SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    if (candidate.quiet) {
        if (candidate.control == Control::rich_edit)
            SendMessageW(box, EM_SETEVENTMASK, 0, events);
        SendMessageW(box, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(box, nullptr, TRUE);
    }
    SendMessageW(box, EM_SETSEL, 0, 0);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
}

// Characters the control holds, CR LF counted as two, as the text handed to it counts them.
std::size_t held_length(HWND box, Control control) {
    if (control != Control::rich_edit)
        return static_cast<std::size_t>(GetWindowTextLengthW(box));
    GETTEXTLENGTHEX request{GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    return static_cast<std::size_t>(
        SendMessageW(box, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&request), 0));
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

// One candidate with one text; prints "<seconds> <peak MiB> <base MiB> <file bytes> ok|short".
int run_one(const Candidate& candidate, std::string_view case_name, std::chrono::seconds timeout,
            const std::wstring& face) {
    const auto text = fill_bench::fill_text(case_name);
    if (!text) {
        std::printf("error unknown case\n");
        return 2;
    }
    LoadLibraryW(L"Msftedit.dll");
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = DefWindowProcW;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"FillBench";
    RegisterClassW(&window_class);
    RECT frame{0, 0, client_width, client_height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const HWND form =
        CreateWindowExW(0, L"FillBench", L"Form1", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CW_USEDEFAULT,
                        CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    win32_host::EditTextBox program_box;
    const bool program =
        candidate.control == Control::program_open || candidate.control == Control::program_paste;
    HWND box = nullptr;
    if (program) {
        program_box.create(form, GetModuleHandleW(nullptr));
        program_box.set_width(client_width * 15.0f);
        program_box.set_height(client_height * 15.0f);
        box = program_box.hwnd();
        program_box.set_text(u"");
        if (candidate.control == Control::program_paste)
            put_on_clipboard(form, text->text);
    } else {
        box = create_control(form, candidate, face);
    }
    const std::u16string_view whole[] = {text->text};
    const win32_host::LayoutWork work =
        win32_host::layout_work(whole, win32_host::row_geometry(box));
    const double estimate = win32_host::estimated_seconds(work);
    UpdateWindow(form);
    pump_messages();
    const std::uint64_t base = memory().PeakWorkingSetSize;

    std::atomic<bool> done = false;
    const std::uint64_t cap =
        std::min<std::uint64_t>(4 * bound_bytes(text->file_bytes), 3072 * mib);
    std::thread watcher(watch, cap, timeout, std::cref(done));
    const auto start = std::chrono::steady_clock::now();
    const char* verdict = "ok";
    if (candidate.control == Control::program_open) {
        try {
            program_box.set_text(text->text);
        } catch (const host::HostError&) {
            verdict = "refused";
        }
    } else if (candidate.control == Control::program_paste) {
        // A paste beyond the budget would say so in a message box; here it only counts.
        if (win32_host::within_budget(
                win32_host::layout_work(whole, win32_host::row_geometry(box))))
            win32_host::paste_plain_text(box);
        else
            verdict = "refused";
    } else {
        fill(box, candidate, text->text);
    }
    UpdateWindow(form);
    pump_messages();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    done = true;
    watcher.join();
    if (std::string_view(verdict) == "ok" &&
        held_length(box, candidate.control) != text->text.size())
        verdict = "short";
    std::printf("%.2f %.0f %.0f %llu %s %.1f %llu %llu %llu\n", seconds,
                in_mib(memory().PeakWorkingSetSize), in_mib(base),
                static_cast<unsigned long long>(text->file_bytes), verdict, estimate,
                static_cast<unsigned long long>(work.measured),
                static_cast<unsigned long long>(work.shaped_rows),
                static_cast<unsigned long long>(work.lines));
    std::fflush(stdout);
    return 0;
}

std::wstring wide(const std::string& utf8) {
    std::wstring text(utf8.size(), L'\0');
    text.resize(static_cast<std::size_t>(
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                            static_cast<int>(text.size()))));
    return text;
}

std::string narrow(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(std::max(size, 1)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.pop_back();
    return bytes;
}

std::vector<std::string> split(std::string_view list) {
    std::vector<std::string> parts;
    while (!list.empty()) {
        const auto comma = list.find(',');
        parts.emplace_back(list.substr(0, comma));
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
    }
    return parts;
}

// Runs this program again for one pair, its output through a pipe; a child past its own
// deadline is ended from here.
std::string run_child(const std::string& candidate, const std::string& case_name, int timeout,
                      const std::string& face) {
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
    if (!face.empty())
        command += L" --font \"" + wide(face) + L"\"";
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
        return "error could not start";
    }
    std::string output;
    std::thread reader([&] {
        char buffer[256];
        DWORD got = 0;
        while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0)
            output.append(buffer, got);
    });
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeout + 30) * 1000) !=
        WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 4);
        WaitForSingleObject(process.hProcess, INFINITE);
    }
    reader.join();
    CloseHandle(read_end);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return output.empty() ? "error no answer" : output.substr(0, output.find('\n'));
}

void print_row(const std::string& candidate, const std::string& case_name,
               const std::string& answer, bool verbose) {
    double seconds = 0;
    double peak = 0;
    double base = 0;
    unsigned long long file_bytes = 0;
    double estimate = 0;
    char verdict[16] = {};
    unsigned long long measured = 0;
    unsigned long long rows = 0;
    unsigned long long lines = 0;
    if (std::sscanf(answer.c_str(), "%lf %lf %lf %llu %15s %lf %llu %llu %llu", &seconds, &peak,
                    &base, &file_bytes, verdict, &estimate, &measured, &rows, &lines) == 9) {
        const double bound = in_mib(bound_bytes(file_bytes));
        const bool within = peak <= bound && seconds <= 60 && std::string_view(verdict) != "short";
        std::printf("%-12s %-24s %8.1f %9.2f %9.0f %9.0f %8.0f %7.1f  %s%s", case_name.c_str(),
                    candidate.c_str(), in_mib(file_bytes), seconds, peak, bound, base, estimate,
                    verdict, within ? "" : " OVER");
        if (verbose)
            std::printf("  measured %llu rows %llu lines %llu", measured, rows, lines);
        std::printf("\n");
    } else if (std::sscanf(answer.c_str(), "stopped %lf %lf %15s", &seconds, &peak, verdict) == 3) {
        std::printf("%-12s %-24s %8s %8.0f+ %8.0f+ %9s %8s  stopped: %s\n", case_name.c_str(),
                    candidate.c_str(), "", seconds, peak, "", "", verdict);
    } else {
        std::printf("%-12s %-24s  %s\n", case_name.c_str(), candidate.c_str(), answer.c_str());
    }
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(narrow(argv[i]));
    int timeout = 90;
    std::string face;      // the system's message font unless one is named
    bool verbose = false;  // the layout work estimated, for fitting its constants
    std::vector<std::string> chosen_candidates;
    std::vector<std::string> chosen_cases(std::begin(default_cases), std::end(default_cases));
    for (const Candidate& c : candidates)
        chosen_candidates.emplace_back(c.name);
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--timeout")
            timeout = std::stoi(args[i + 1]);
        else if (args[i] == "--font")
            face = args[i + 1];
    }
    if (args.size() >= 3 && args[0] == "--run") {
        for (const Candidate& c : candidates) {
            if (c.name == args[1])
                return run_one(c, args[2], std::chrono::seconds(timeout), wide(face));
        }
        std::printf("error unknown candidate\n");
        return 2;
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--work")
            verbose = true;
    }
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--candidates")
            chosen_candidates = split(args[i + 1]);
        else if (args[i] == "--cases")
            chosen_cases = split(args[i + 1]);
    }
    std::printf(
        "Filling a %dx%d text box; time to shown, peak working set; bound 8 x file + "
        "200 MiB, 60 s\n",
        client_width, client_height);
    for (const Candidate& c : candidates)
        std::printf("  %-24s %.*s\n", std::string(c.name).c_str(), static_cast<int>(c.what.size()),
                    c.what.data());
    std::printf("%-12s %-24s %8s %9s %9s %9s %8s %7s\n", "case", "candidate", "file MiB", "seconds",
                "peak MiB", "bound MiB", "base MiB", "est s");
    for (const std::string& case_name : chosen_cases) {
        for (const std::string& candidate : chosen_candidates)
            print_row(candidate, case_name, run_child(candidate, case_name, timeout, face),
                      verbose);
    }
    return 0;
}
