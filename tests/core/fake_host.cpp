// The fake host's recording and playback.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <new>
#include <sstream>

#include "core/host/host_error.h"
#include "text/utf.h"

namespace fake {
namespace {

std::string utf8(std::u16string_view text) {
    return text::utf8_from_utf16(text);
}

// The next scripted answer of a dialog, as the dialog gives it.
template <class Choice>
std::optional<Choice> next_answer(std::deque<DialogAnswer<Choice>>& answers, const char* dialog) {
    if (answers.empty()) {
        ADD_FAILURE() << "the " << dialog << " dialog was shown with no answer scripted";
        throw UnscriptedDialog(std::string("no answer scripted for the ") + dialog + " dialog");
    }
    DialogAnswer<Choice> answer = std::move(answers.front());
    answers.pop_front();
    if (answer.failure)
        throw host::HostError(*answer.failure);
    return std::move(answer.choice);
}

std::string number(float value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

class VectorLineReader final : public host::LineReader {
  public:
    explicit VectorLineReader(std::vector<std::u16string> lines) : lines_(std::move(lines)) {}
    VectorLineReader(std::vector<std::u16string> lines, std::optional<std::u16string> failure)
        : lines_(std::move(lines)), fails_(true), failure_(std::move(failure)) {}
    bool at_end() const override { return next_ == lines_.size() && !fails_; }
    std::u16string_view read_line() override {
        if (next_ == lines_.size() && fails_) {
            if (failure_)
                throw host::HostError(*failure_);
            throw std::bad_alloc();
        }
        return lines_.at(next_++);
    }
    std::size_t crlf_text_size() const override {
        std::size_t size = 0;
        for (std::size_t i = next_; i < lines_.size(); ++i)
            size += lines_[i].size() + 2;
        return size;
    }

  private:
    std::vector<std::u16string> lines_;
    std::size_t next_ = 0;
    bool fails_ = false;
    std::optional<std::u16string> failure_;
};

}  // namespace

void FakeHost::set_caption(const std::u16string& value) {
    log("caption " + utf8(value));
    caption = value;
}

std::optional<int> FakeHost::popup_menu(const host::PopupMenu& menu, float x, float y) {
    log("popup " + number(x) + " " + number(y));
    popups_shown.push_back(menu);
    run_modal_loop();
    return popup_answer;
}

void FakeHost::set_busy_cursor(bool busy) {
    busy_depth += busy ? 1 : -1;
    log(busy ? "busy on" : "busy off");
}

void FakeHost::unload() {
    log("unload");
}
void FakeHost::end() {
    log("end");
}

float FakeHost::next_metric(std::deque<float>& values) const {
    ++metric_reads;
    const float value = values.front();
    if (values.size() > 1)
        values.pop_front();
    return value;
}

float FakeHost::twips_per_pixel_x() const {
    return next_metric(twips_per_pixel_x_);
}
float FakeHost::twips_per_pixel_y() const {
    return next_metric(twips_per_pixel_y_);
}

void FakeHost::set_text(std::u16string value) {
    if (set_text_fails)
        throw host::HostError(u"テキストボックスに入りません。");
    log("text");
    text = std::move(value);
}

void FakeHost::set_width(float twips) {
    log("width " + number(twips));
}
void FakeHost::set_height(float twips) {
    log("height " + number(twips));
}

std::u16string FakeHost::font_name() const {
    log("get font name");
    return font.name;
}
bool FakeHost::font_bold() const {
    log("get font bold");
    return font.bold;
}
bool FakeHost::font_italic() const {
    log("get font italic");
    return font.italic;
}
float FakeHost::font_size() const {
    log("get font size");
    return font.size;
}
void FakeHost::set_font_name(const std::u16string& name) {
    log("set font name " + utf8(name));
    font.name = name;
}
void FakeHost::set_font_bold(bool bold) {
    log(std::string("set font bold ") + (bold ? "1" : "0"));
    font.bold = bold;
}
void FakeHost::set_font_italic(bool italic) {
    log(std::string("set font italic ") + (italic ? "1" : "0"));
    font.italic = italic;
}
void FakeHost::set_font_size(float points) {
    log("set font size " + number(points));
    font.size = points;
}

std::optional<std::u16string> FakeHost::show_open(const host::OpenFileRequest& request) {
    log("show open");
    open_requests.push_back(request);
    run_modal_loop();
    return next_answer(open_answers, "open");
}

std::optional<host::FontChoice> FakeHost::show_font(const host::FontChoice& initial, int flags) {
    log("show font");
    font_requests.push_back(initial);
    font_request_flags.push_back(flags);
    run_modal_loop();
    return next_answer(font_answers, "font");
}

void FakeHost::show_error(const std::u16string& message) {
    log("error");
    errors_shown.push_back(message);
    run_modal_loop();
}

std::unique_ptr<host::LineReader> FakeHost::open_text(const std::u16string& path) {
    log("open text " + utf8(path));
    const auto found = files.find(path);
    if (found == files.end())
        throw host::HostError(u"ファイルが見つかりません。");
    if (const auto* error = std::get_if<FileError>(&found->second)) {
        throw host::HostError(error->message);
    }
    if (const auto* part_way = std::get_if<FailsPartWay>(&found->second)) {
        return std::make_unique<VectorLineReader>(part_way->lines_before, part_way->message);
    }
    return std::make_unique<VectorLineReader>(std::get<std::vector<std::u16string>>(found->second));
}

std::u16string FakeHost::preferred_start_folder() const {
    log("preferred folder");
    return preferred_folder;
}

std::u16string FakeHost::fallback_start_folder() const {
    log("fallback folder");
    return fallback_folder;
}

bool FakeHost::is_folder(const std::u16string& path) const {
    log("is folder " + utf8(path));
    return folders.contains(path);
}

std::u16string FakeHost::absolute_path(const std::u16string& path) const {
    log("absolute " + utf8(path));
    const bool drive = separator == u'\\' && path.size() >= 2 && path[1] == u':';
    if (path.starts_with(separator) || drive)
        return path;
    if (!current_folder)
        throw host::HostError(u"現在のフォルダーがわかりません。");
    return *current_folder + separator + path;
}

void FakeHost::set_window_pos(host::NativeWindow window, host::NativeWindow insert_after, int x,
                              int y, int cx, int cy, unsigned flags) {
    const SetWindowPosCall call{window, insert_after, x, y, cx, cy, flags};
    log("set_window_pos " + std::to_string(insert_after) + " " + std::to_string(x) + " " +
        std::to_string(y) + " " + std::to_string(cx) + " " + std::to_string(cy) + " " +
        std::to_string(flags));
    placements.push_back(call);
    if (on_set_window_pos)
        on_set_window_pos(call);
}

}  // namespace fake
