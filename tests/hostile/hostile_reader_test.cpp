// The text reader against hostile files where no window is needed: files that change while
// read, files another user cannot read, and every possible one-byte file.
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/viewer/open_command.h"
#include "temp_dir.h"
#include "text/platform_file_bytes.h"
#include "text/text_file_reader.h"
#include "text/utf.h"

namespace text {
namespace {

using text_test::error_message;
using text_test::TempDir;

constexpr std::size_t kib = 1024;

// What the changing file always holds a prefix of: Japanese UTF-8 lines, so a cut can fall
// inside a character as well as inside a line.
std::string line_pattern(std::size_t size) {
    std::string bytes;
    for (int i = 0; bytes.size() < size; ++i)
        bytes += "行 " + std::to_string(i) + " テキスト\n";
    bytes.resize(size);
    return bytes;
}

// Closes the descriptor it owns.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

  private:
    int fd_;
};

enum class Change { grow, grow_and_truncate };

// Keeps a file at `path` changing until destroyed: a fresh file takes the name, grows by
// pieces of the pattern up to its full size, and is then replaced by the next; with
// grow_and_truncate it is also cut back to random lengths as it grows. Whatever a reader
// opens is a prefix of the pattern at every moment.
class Writer {
  public:
    Writer(std::filesystem::path path, const std::string& pattern, Change change)
        : path_(std::move(path)), thread_([this, &pattern, change] { run(pattern, change); }) {}
    ~Writer() {
        stop_ = true;
        thread_.join();
    }
    Writer(const Writer&) = delete;
    Writer& operator=(const Writer&) = delete;

    bool failed() const { return failed_; }
    // Returns once the first file has taken the name.
    void wait_until_started() const {
        while (files_ == 0 && !failed_)
            std::this_thread::yield();
    }

  private:
    void run(const std::string& pattern, Change change) {
        std::mt19937 random(2024);
        const std::filesystem::path fresh = path_.string() + ".new";
        while (!stop_) {
            const Descriptor file(
                ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
            if (file.get() < 0 || ::rename(fresh.c_str(), path_.c_str()) != 0) {
                failed_ = true;
                return;
            }
            ++files_;
            std::size_t size = 0;
            while (!stop_ && size < pattern.size()) {
                if (change == Change::grow_and_truncate && random() % 4 == 0) {
                    size = size == 0 ? 0 : random() % size;
                    if (::ftruncate(file.get(), static_cast<off_t>(size)) != 0)
                        failed_ = true;
                    continue;
                }
                const std::size_t piece =
                    std::min<std::size_t>(1 + random() % (16 * kib), pattern.size() - size);
                if (::pwrite(file.get(), pattern.data() + size, piece, static_cast<off_t>(size)) !=
                    static_cast<ssize_t>(piece)) {
                    failed_ = true;
                }
                size += piece;
                // Growth at about the pace of a read, so reads meet files mid-way.
                std::this_thread::sleep_for(std::chrono::microseconds(50));
            }
        }
    }

    std::filesystem::path path_;
    std::atomic<bool> stop_ = false;
    std::atomic<bool> failed_ = false;
    std::atomic<int> files_ = 0;
    std::thread thread_;
};

// How the bytes read relate to the pattern: a prefix of it, or only where a truncation raced
// the read, NULs in place of some of its bytes (the kernel zeroes the cut-off tail of a page
// that a read may still be copying).
bool is_snapshot(const std::string& bytes, const std::string& pattern, bool nuls_allowed) {
    if (bytes.size() > pattern.size())
        return false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != pattern[i] && !(nuls_allowed && bytes[i] == '\0'))
            return false;
    }
    return true;
}

// Reads a file while another thread grows or truncates it: each read ends, with a snapshot
// of the file or the size error, and never more than the limit.
TEST(ChangingFile, ReadsEndWithASnapshotOrTheSizeError) {
    struct Case {
        const char* name;
        Change change;
        std::size_t limit;
    };
    const std::vector<Case> cases = {
        {"growing", Change::grow, max_text_file_bytes},
        {"growing past the limit", Change::grow, 256 * kib},
        {"truncated and grown again", Change::grow_and_truncate, max_text_file_bytes},
        {"truncated, grown past the limit", Change::grow_and_truncate, 256 * kib},
    };
    const std::string pattern = line_pattern(1024 * kib);
    constexpr int reads = 100;
    const std::u16string too_large = u"ファイルが大きすぎます（上限 256 KiB）。";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempDir dir;
        const std::filesystem::path path = dir.write("changing.txt", "");
        int snapshots = 0;
        {
            const Writer writer(path, pattern, c.change);
            writer.wait_until_started();
            for (int read = 0; read < reads; ++read) {
                std::string bytes;
                const std::u16string message =
                    error_message([&] { bytes = read_file_bytes(path.u16string(), c.limit); });
                if (message == u"(no error)") {
                    ++snapshots;
                    ASSERT_LE(bytes.size(), c.limit) << "read " << read;
                    ASSERT_TRUE(is_snapshot(bytes, pattern, c.change == Change::grow_and_truncate))
                        << "read " << read << ", " << bytes.size() << " bytes";
                } else {
                    ASSERT_EQ(message, too_large) << "read " << read;
                }
                // The whole reader too: it ends, and its lines hold no terminator.
                const std::u16string reader_message = error_message([&] {
                    TextFileReader reader(path.u16string());
                    const std::size_t announced = reader.crlf_text_size();
                    const std::u16string text = viewer::read_crlf_text(reader);
                    ASSERT_EQ(text.size(), announced);
                    ASSERT_TRUE(text.empty() || text.ends_with(u"\r\n"));
                });
                ASSERT_EQ(reader_message, u"(no error)") << "read " << read;
            }
            ASSERT_FALSE(writer.failed());
        }
        if (c.limit == max_text_file_bytes) {
            EXPECT_EQ(snapshots, reads);
        }
    }
}

// Root reads every file, so these run in a child that has become the unprivileged "nobody".
TEST(UnreadableFile, IsRefusedForAnotherUser) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "not root: text_tests' ReadFileBytes.RefusesWithoutPermission covers this";
    const TempDir dir;
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const std::filesystem::path unreadable = dir.write("unreadable.txt", "secret");
    ASSERT_EQ(::chmod(unreadable.c_str(), 0600), 0);
    const std::filesystem::path closed = dir.path() / "closed";
    std::filesystem::create_directory(closed);
    dir.write("closed/inside.txt", "secret");
    ASSERT_EQ(::chmod(closed.c_str(), 0700), 0);
    const std::filesystem::path readable = dir.write("readable.txt", "for everyone");
    ASSERT_EQ(::chmod(readable.c_str(), 0644), 0);

    struct Case {
        std::filesystem::path path;
        std::string outcome;  // the bytes read, or the message in UTF-8
    };
    const std::vector<Case> cases = {
        {unreadable, "このファイルを読む権限がありません。"},
        {closed / "inside.txt", "このファイルを読む権限がありません。"},
        {readable, "for everyone"},  // the child can read at all
    };

    int pipe_fds[2];
    ASSERT_EQ(::pipe(pipe_fds), 0);
    const Descriptor from_child(pipe_fds[0]);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipe_fds[0]);
        constexpr uid_t nobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody) != 0 || ::setuid(nobody) != 0 ||
            ::geteuid() != nobody) {
            ::_exit(3);
        }
        std::string report;
        for (const Case& c : cases) {
            try {
                report += read_file_bytes(c.path.u16string(), 100);
            } catch (const host::HostError& error) {
                report += utf8_from_utf16(error.message());
            }
            report += '\n';
        }
        const bool sent = ::write(pipe_fds[1], report.data(), report.size()) ==
                          static_cast<ssize_t>(report.size());
        ::_exit(sent ? 0 : 4);
    }
    ::close(pipe_fds[1]);  // the child's end: reads below end when the child does
    std::string report;
    char buffer[256];
    for (ssize_t count; (count = ::read(from_child.get(), buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(count));
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 3)
        GTEST_SKIP() << "cannot become the user nobody (65534) here";
    ASSERT_EQ(WEXITSTATUS(status), 0);

    std::string expected;
    for (const Case& c : cases)
        expected += c.outcome + '\n';
    EXPECT_EQ(report, expected);
}

// What a file of the single byte b shows, by the reading rules: ASCII as itself (a terminator
// as one empty line, NUL as its symbol), half-width katakana from code page 932, and U+FFFD
// for a byte no encoding can take alone.
std::vector<std::u16string> lines_of_one_byte(unsigned b) {
    if (b == '\n' || b == '\r')
        return {u""};
    if (b == 0)
        return {u"\u2400"};
    if (b < 0x80)
        return {std::u16string(1, static_cast<char16_t>(b))};
    if (b >= 0xA1 && b <= 0xDF)
        return {std::u16string(1, static_cast<char16_t>(0xFF61 + (b - 0xA1)))};
    return {u"\uFFFD"};
}

TEST(OneByteFile, EveryByteValueShowsAsOneLine) {
    const TempDir dir;
    for (unsigned b = 0; b < 256; ++b) {
        SCOPED_TRACE("byte " + std::to_string(b));
        const std::filesystem::path path =
            dir.write("one.txt", std::string(1, static_cast<char>(b)));
        TextFileReader reader(path.u16string());
        std::vector<std::u16string> lines;
        while (!reader.at_end())
            lines.emplace_back(reader.read_line());
        EXPECT_EQ(lines, lines_of_one_byte(b));
    }
}

}  // namespace
}  // namespace text
