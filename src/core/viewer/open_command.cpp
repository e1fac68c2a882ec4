// The open command.
#include "core/viewer/open_command.h"

#include <new>
#include <utility>

#include "core/host/host_error.h"
#include "core/viewer/busy_cursor.h"

namespace viewer {
namespace {

constexpr std::u16string_view folder_reason =
    u"フォルダーは開けません。ファイルを指定してください。";
constexpr std::u16string_view not_local_reason =
    u"このコンピューター上のファイルではないため開けません。保存してから開いてください。";

std::u16string unreadable_message(const std::u16string& path, std::u16string_view reason) {
    return u"「" + path + u"」を開けませんでした。\n\n" + std::u16string(reason);
}

// Reads the whole file before anything on screen changes, so a failure leaves it as it was.
void show_file(const host::Host& host, const std::u16string& path) {
    const BusyCursor busy(host.window);
    std::u16string text;
    {
        const auto reader = host.files.open_text(path);
        text = read_crlf_text(*reader);
    }  // closed before the text box takes its copy, to keep the peak lower
    host.text_box.set_text(std::move(text));
    host.window.set_caption(path);
}

}  // namespace

std::optional<std::u16string> folder_of(std::u16string_view open_path, char16_t separator) {
    const auto last = open_path.rfind(separator);
    if (last == std::u16string_view::npos)
        return std::nullopt;
    std::u16string folder(open_path.substr(0, last));
    if (folder.empty() || folder.back() == u':')
        folder.push_back(separator);
    return folder;
}

std::u16string default_start_folder(const host::FileSystem& files) {
    if (std::u16string folder = files.preferred_start_folder();
        !folder.empty() && files.is_folder(folder)) {
        return folder;
    }
    if (std::u16string folder = files.fallback_start_folder();
        !folder.empty() && files.is_folder(folder)) {
        return folder;
    }
    return {};  // the dialog's own choice
}

std::u16string start_folder(std::u16string_view open_path, const host::FileSystem& files) {
    if (std::optional<std::u16string> folder = folder_of(open_path, files.path_separator()))
        return std::move(*folder);
    return default_start_folder(files);
}

std::u16string read_crlf_text(host::LineReader& reader) {
    std::u16string text;
    text.reserve(reader.crlf_text_size());
    while (!reader.at_end()) {
        text += reader.read_line();
        text += u"\r\n";
    }
    return text;
}

void show_path(const host::Host& host, std::u16string& open_path, const std::u16string& path) {
    std::u16string full_path = path;  // named as given in a message, until made absolute
    try {
        full_path = host.files.absolute_path(path);
        if (host.files.is_folder(full_path)) {
            host.dialogs.show_error(unreadable_message(full_path, folder_reason));
            return;
        }
        open_path = full_path;
        show_file(host, open_path);
    } catch (const host::HostError& error) {
        host.dialogs.show_error(unreadable_message(full_path, error.message()));
    } catch (const std::bad_alloc&) {
        host.dialogs.show_error(unreadable_message(full_path, host::out_of_memory_text));
    }
}

void show_given_files(const host::Host& host, std::u16string& open_path,
                      const std::vector<host::GivenFile>& files) {
    if (files.empty())
        return;
    const host::GivenFile& first = files.front();
    if (!first.local) {
        host.dialogs.show_error(unreadable_message(first.path, not_local_reason));
        return;
    }
    show_path(host, open_path, first.path);
}

void run_open_command(const host::Host& host, window::CommonDialog& dialog,
                      std::u16string& open_path) {
    dialog.cancel_error = true;
    dialog.flags = open_flags;
    dialog.filter = open_filter;
    dialog.file_name.clear();
    dialog.init_dir = start_folder(open_path, host.files);

    try {
        dialog.show_open();
    } catch (const host::HostError&) {
        return;  // cancelled or the dialog failed: nothing changes
    }
    show_path(host, open_path, dialog.file_name);
}

}  // namespace viewer
