// Reading an open file to its end within the limit, whatever size the system reported for it.
#include "text/read_to_end.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace text {
namespace {

using text_test::error_message;

// A file handed out a few bytes a read. An endless one (a device such as /dev/zero) gives
// zeros, but only up to a megabyte, so that a read without bound ends in a failed check rather
// than in a hang.
class ScriptedFile {
  public:
    ScriptedFile(std::string content, bool endless)
        : content_(std::move(content)), endless_(endless) {}

    std::size_t read_some(char* into, std::size_t size) {
        ++reads_;
        const std::size_t left = (endless_ ? endless_cap : content_.size()) - handed_out_;
        const std::size_t count = std::min({size, left, piece});
        for (std::size_t i = 0; i < count; ++i)
            into[i] = endless_ ? '\0' : content_[handed_out_ + i];
        handed_out_ += count;
        return count;
    }

    int reads() const { return reads_; }
    std::size_t handed_out() const { return handed_out_; }

  private:
    static constexpr std::size_t piece = 3;
    static constexpr std::size_t endless_cap = 1024 * 1024;

    std::string content_;
    bool endless_;
    int reads_ = 0;
    std::size_t handed_out_ = 0;
};

TEST(ReadToEnd, ReadsWhatTheFileHoldsAndNeverMoreThanOnePastTheLimit) {
    const std::u16string too_large = file_too_large_error(5).message();
    struct Case {
        const char* what;
        std::uint64_t reported;
        std::string content;
        bool endless;
        std::u16string failure;  // empty when the read succeeds with `content`
        bool reads_at_all;
    };
    const std::vector<Case> cases = {
        {"as reported", 5, "hello", false, u"", true},
        {"shrunk since", 4, "hi", false, u"", true},
        {"grown since, within the limit", 2, "hello", false, u"", true},
        {"grown since, past the limit", 2, "hello!", false, too_large, true},
        {"no size reported (/proc)", 0, "hey", false, u"", true},
        {"empty", 0, "", false, u"", true},
        {"endless, reported within the limit", 0, "", true, too_large, true},
        {"reported past the limit", 6, "hello!", false, too_large, false},
        {"endless, reported past the limit", 1000, "", true, too_large, false},
    };
    constexpr std::uint64_t limit = 5;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScriptedFile file(c.content, c.endless);
        std::string read;
        const std::u16string failure = error_message([&] {
            read = read_to_end(
                [&](char* into, std::size_t size) { return file.read_some(into, size); },
                c.reported, limit);
        });
        if (c.failure.empty()) {
            EXPECT_EQ(failure, u"(no error)");
            EXPECT_EQ(read, c.content);
        } else {
            EXPECT_EQ(failure, c.failure);
        }
        EXPECT_EQ(file.reads() > 0, c.reads_at_all);
        EXPECT_LE(file.handed_out(), limit + 1);
    }
}

TEST(ReadToEnd, RunningOutOfMemoryIsAFileProblem) {
    const auto no_memory = [](char*, std::size_t) -> std::size_t { throw std::bad_alloc(); };
    EXPECT_EQ(error_message([&] { read_to_end(no_memory, 4, 10); }),
              file_error(FileProblem::out_of_memory).message());
}

}  // namespace
}  // namespace text
