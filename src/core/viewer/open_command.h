// The open command: choose a file in the shared dialog, then show its whole text.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/host/host.h"
#include "core/host/window_events.h"
#include "core/window/common_dialog.h"

namespace viewer {

inline constexpr std::u16string_view open_filter =
    u"ﾃｷｽﾄﾌｧｲﾙ(*.txt,*.ini)|*.txt;*.ini|HTMLﾌｧｲﾙ(*.htm)|*.htm|すべてのﾌｧｲﾙ(*.*)|*.*";
inline constexpr int open_flags = host::ofn_filemustexist | host::ofn_hidereadonly;  // 4100

// The folder of the file opened last; nothing when its path names none. A file in a root gives
// the root itself ("C:\", "/"): a bare "C:" would mean drive C's current folder.
std::optional<std::u16string> folder_of(std::u16string_view open_path, char16_t separator);

// The preferred start folder where it exists, else the fallback where that does, else nothing.
std::u16string default_start_folder(const host::FileSystem& files);

// Where the open dialog starts: the folder of the file opened last, else the default folder,
// looked for only then, as finding it may mean loading a system library.
std::u16string start_folder(std::u16string_view open_path, const host::FileSystem& files);

// Every line followed by CR LF, the last one included; built in one reserved pass.
std::u16string read_crlf_text(host::LineReader& reader);

// The open command's steps after its dialog, for a path from anywhere: the dialog's choice, an
// argument on the command line, a dropped file. The path is made absolute first. A folder is
// refused with a message and changes nothing; otherwise open_path takes the path even when
// reading it fails, so the next dialog starts in its folder, and the caption changes only
// together with the text.
void show_path(const host::Host& host, std::u16string& open_path, const std::u16string& path);

// The first of the files named from outside the menu, shown as the dialog's choice is; the rest
// are ignored. One that is no file of this computer is refused with a message.
void show_given_files(const host::Host& host, std::u16string& open_path,
                      const std::vector<host::GivenFile>& files);

void run_open_command(const host::Host& host, window::CommonDialog& dialog,
                      std::u16string& open_path);

}  // namespace viewer
