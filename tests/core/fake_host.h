// A host that records every request the core makes and plays back scripted user answers.
#pragma once

#include <concepts>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "core/host/host.h"
#include "core/host/popup_menu.h"

namespace fake {

// A file the fake file system holds: its lines, the error opening it raises, or lines that
// are read before a failure part-way through (a HostError with the message, or running out
// of memory when there is none).
struct FileError {
    std::u16string message;
};
struct FailsPartWay {
    std::vector<std::u16string> lines_before;
    std::optional<std::u16string> message;
};
using FileContents = std::variant<std::vector<std::u16string>, FileError, FailsPartWay>;

// A dialog's scripted answer: what the user chooses, a cancel, or a dialog that cannot be shown,
// which throws HostError with the message.
struct Cancel {};
inline constexpr Cancel cancel{};
struct DialogFails {
    std::u16string message = u"ダイアログを表示できませんでした。";
};
template <class Choice>
struct DialogAnswer {
    template <class Chosen>
    requires std::constructible_from<Choice, Chosen> DialogAnswer(Chosen&& chosen)
        : choice(Choice(std::forward<Chosen>(chosen))) {}
    DialogAnswer(Cancel) {}
    DialogAnswer(DialogFails fails) : failure(std::move(fails.message)) {}

    std::optional<Choice> choice;  // none for a cancel or a failure
    std::optional<std::u16string> failure;
};

// Thrown, with the test marked failed, when a dialog is shown that the test scripted no answer
// for. It is no HostError, so the core cannot take it for a dialog that failed and carry on.
class UnscriptedDialog : public std::logic_error {
  public:
    using std::logic_error::logic_error;
};

struct SetWindowPosCall {
    host::NativeWindow window;
    host::NativeWindow insert_after;
    int x, y, cx, cy;
    unsigned flags;
};

class FakeHost final : public host::Window,
                       public host::ScreenMetrics,
                       public host::TextBox,
                       public host::Dialogs,
                       public host::FileSystem,
                       public host::WindowPlacement {
  public:
    host::Host host() { return {*this, *this, *this, *this, *this, *this}; }

    // Every request in order, as short strings such as "width 5910" or "caption C:\a.txt".
    mutable std::vector<std::string> journal;

    // Scripted state and answers.
    float left_ = 1500, top_ = 3000, width_ = 6150, height_ = 4800;
    float scale_width_ = 5910, scale_height_ = 4305;
    // Each read takes the front value; the last one stays for every later read.
    mutable std::deque<float> twips_per_pixel_x_{15}, twips_per_pixel_y_{15};
    std::optional<int> popup_answer;  // none: dismissed
    // One answer for each time the dialog is shown, in order.
    std::deque<DialogAnswer<std::u16string>> open_answers;
    std::deque<DialogAnswer<host::FontChoice>> font_answers;
    std::map<std::u16string, FileContents> files;
    bool set_text_fails = false;
    bool stays_on_top = true;
    char16_t separator = u'\\';
    std::u16string preferred_folder = u"C:\\My Documents";
    std::u16string fallback_folder = u"C:\\Users\\me\\Documents";
    std::set<std::u16string> folders{u"C:\\My Documents", u"C:\\Users\\me\\Documents"};
    // Where relative paths start; none when it cannot be told.
    std::optional<std::u16string> current_folder = u"C:\\work";
    std::function<void(const SetWindowPosCall&)> on_set_window_pos;
    // Run while a dialog, the error box or the popup menu is up, as events reaching the window
    // through its modal loop would.
    std::function<void()> while_modal;

    // What the core handed over.
    // The caption as the platform created the window.
    std::u16string text, caption = u"(created)";
    host::FontChoice font{u"MS UI Gothic", false, false, 9};
    std::vector<host::PopupMenu> popups_shown;
    std::vector<host::OpenFileRequest> open_requests;
    std::vector<host::FontChoice> font_requests;
    std::vector<int> font_request_flags;
    std::vector<std::u16string> errors_shown;
    std::vector<SetWindowPosCall> placements;
    int busy_depth = 0;
    mutable int metric_reads = 0;

    // host::Window
    void set_caption(const std::u16string& value) override;
    float left() const override { return left_; }
    float top() const override { return top_; }
    float width() const override { return width_; }
    float height() const override { return height_; }
    float scale_width() const override { return scale_width_; }
    float scale_height() const override { return scale_height_; }
    host::NativeWindow native_handle() const override { return 0x1234; }
    std::optional<int> popup_menu(const host::PopupMenu& menu, float x, float y) override;
    void set_busy_cursor(bool busy) override;
    void unload() override;
    void end() override;

    // host::ScreenMetrics
    float twips_per_pixel_x() const override;
    float twips_per_pixel_y() const override;

    // host::TextBox
    void set_text(std::u16string value) override;
    void set_width(float twips) override;
    void set_height(float twips) override;
    std::u16string font_name() const override;
    bool font_bold() const override;
    bool font_italic() const override;
    float font_size() const override;
    void set_font_name(const std::u16string& name) override;
    void set_font_bold(bool bold) override;
    void set_font_italic(bool italic) override;
    void set_font_size(float points) override;

    // host::Dialogs
    std::optional<std::u16string> show_open(const host::OpenFileRequest& request) override;
    std::optional<host::FontChoice> show_font(const host::FontChoice& initial, int flags) override;
    void show_error(const std::u16string& message) override;

    // host::FileSystem
    std::unique_ptr<host::LineReader> open_text(const std::u16string& path) override;
    char16_t path_separator() const override { return separator; }
    std::u16string preferred_start_folder() const override;
    std::u16string fallback_start_folder() const override;
    bool is_folder(const std::u16string& path) const override;
    std::u16string absolute_path(const std::u16string& path) const override;

    // host::WindowPlacement
    void set_window_pos(host::NativeWindow window, host::NativeWindow insert_after, int x, int y,
                        int cx, int cy, unsigned flags) override;
    bool can_stay_on_top() const override { return stays_on_top; }

  private:
    void run_modal_loop() const {
        if (while_modal)
            while_modal();
    }
    float next_metric(std::deque<float>& values) const;
    void log(std::string entry) const { journal.push_back(std::move(entry)); }
};

}  // namespace fake
