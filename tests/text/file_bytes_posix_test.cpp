// Whole-file reads on POSIX: FIFOs, devices, sockets, links and permissions are refused
// without blocking, and files whose size is unknown beforehand still keep to the limit.
#include "text/platform_file_bytes.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

#include "temp_dir.h"
#include "text/posix/native_path.h"
#include "text/text_file_reader.h"

namespace text {
namespace {

using text_test::error_message;
using text_test::TempDir;

constexpr std::u16string_view not_regular = u"通常のファイルではないため開けません。";

std::u16string message_for(const std::filesystem::path& path) {
    return error_message([&] { read_file_bytes(path.u16string(), max_text_file_bytes); });
}

// A listening UNIX socket bound to a path; closed when destroyed.
class BoundSocket {
  public:
    explicit BoundSocket(const std::filesystem::path& path)
        : fd_(::socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string name = path.string();
        if (fd_ < 0 || name.size() >= sizeof address.sun_path)
            return;
        std::memcpy(address.sun_path, name.c_str(), name.size() + 1);
        bound_ = ::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    }
    ~BoundSocket() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    BoundSocket(const BoundSocket&) = delete;
    BoundSocket& operator=(const BoundSocket&) = delete;

    bool bound() const { return bound_; }

  private:
    int fd_;
    bool bound_ = false;
};

// FIFOs, sockets and devices would block, never end or not be readable at all if opened and
// read naively; links are followed, and faults in the path named.
TEST(ReadFileBytes, NamesWhatCannotBeRead) {
    const TempDir dir;
    const std::filesystem::path fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path socket = dir.path() / "socket";
    const BoundSocket bound(socket);
    ASSERT_TRUE(bound.bound());
    const std::filesystem::path file = dir.write("file.txt", "through the link");
    std::filesystem::create_symlink(file, dir.path() / "link");
    std::filesystem::create_symlink(dir.path() / "missing", dir.path() / "dangling");
    std::filesystem::create_symlink(dir.path() / "self", dir.path() / "self");
    std::filesystem::create_symlink(dir.path() / "loop_b", dir.path() / "loop_a");
    std::filesystem::create_symlink(dir.path() / "loop_a", dir.path() / "loop_b");
    EXPECT_EQ(read_file_bytes((dir.path() / "link").u16string(), 100), "through the link");

    const std::u16string_view loop = u"シンボリックリンクが循環しています。";
    const std::u16string_view not_found = u"ファイルが見つかりません。";
    const std::pair<std::u16string, std::u16string_view> cases[] = {
        {fifo.u16string(), not_regular},
        {socket.u16string(), not_regular},
        {u"/dev/zero", not_regular},
        {u"/dev/urandom", not_regular},
        {u"/dev/null", not_regular},
        {(dir.path() / "dangling").u16string(), not_found},
        {(dir.path() / "self").u16string(), loop},
        {(dir.path() / "loop_a").u16string(), loop},
        {(file / "inside.txt").u16string(), not_found},  // a file used as a folder
        {(dir.path() / std::string(300, 'n')).u16string(), u"ファイルのパスが長すぎます。"},
        // The name must not be cut at the NUL and open file.txt instead.
        {file.u16string() + u'\0' + u"x", u"ファイル名が正しくありません。"},
    };
    for (const auto& [path, message] : cases) {
        SCOPED_TRACE(std::filesystem::path(path).string());
        EXPECT_EQ(error_message([&] { read_file_bytes(path, max_text_file_bytes); }), message);
    }
}

// Root reads and searches everything, so there is nothing to refuse then.
TEST(ReadFileBytes, RefusesWithoutPermission) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, which may read any file";
    const TempDir dir;
    const std::filesystem::path unreadable = dir.write("unreadable.txt", "secret");
    std::filesystem::permissions(unreadable, std::filesystem::perms::none);
    const std::filesystem::path closed = dir.path() / "closed";
    std::filesystem::create_directory(closed);
    dir.write("closed/inside.txt", "secret");
    std::filesystem::permissions(closed, std::filesystem::perms::none);

    EXPECT_EQ(message_for(unreadable), u"このファイルを読む権限がありません。");
    EXPECT_EQ(message_for(closed / "inside.txt"), u"このファイルを読む権限がありません。");
    std::filesystem::permissions(closed, std::filesystem::perms::owner_all);
}

// The size fstat gives is a hint only, as it is for a file growing or shrinking while read.
// /proc files report 0 yet have content: it is read all the same, and the limit still holds
// for content found only while reading. /sys files report a page yet hold a few bytes.
TEST(ReadFileBytes, TakesTheSizeFromFstatAsAHint) {
    const std::filesystem::path status = "/proc/self/status";
    const std::filesystem::path online = "/sys/devices/system/cpu/online";
    if (!std::filesystem::exists(status) || !std::filesystem::exists(online))
        GTEST_SKIP() << "no Linux /proc and /sys here";
    ASSERT_EQ(std::filesystem::file_size(status), 0u);

    const std::string bytes = read_file_bytes(status.u16string(), max_text_file_bytes);
    EXPECT_TRUE(bytes.starts_with("Name:")) << bytes;
    EXPECT_TRUE(bytes.ends_with("\n")) << bytes;
    EXPECT_EQ(error_message([&] { read_file_bytes(status.u16string(), 16); }),
              u"ファイルが大きすぎます（上限 16 バイト）。");

    std::ifstream stream(online, std::ios::binary);
    const std::string expected{std::istreambuf_iterator<char>(stream), {}};
    ASSERT_FALSE(expected.empty());
    ASSERT_LT(expected.size(), std::filesystem::file_size(online));
    EXPECT_EQ(read_file_bytes(online.u16string(), max_text_file_bytes), expected);
}

// Any name the system gives comes back byte for byte, and reads: EUC-JP and Latin-1 names,
// cut-off UTF-8, bytes that spell an encoded surrogate, and characters past the BMP.
TEST(NativePath, EveryByteNameRoundTripsAndOpens) {
    struct Case {
        std::string bytes;
        std::u16string path;
    };
    const Case cases[] = {
        {"memo.txt", u"memo.txt"},
        {"\xe6\x97\xa5\xe6\x9c\xac.txt", u"日本.txt"},
        {"\xf0\x9f\x98\x80", u"😀"},
        {"\xc6\xfc\xcb\xdc.txt", u"\xdcc6\xdcfc\xdccb\xdcdc.txt"},  // 日本 in EUC-JP
        {"caf\xe9", u"caf\xdce9"},
        {"\xe6\x97", u"\xdce6\xdc97"},
        {"\xed\xb2\x80", u"\xdced\xdcb2\xdc80"},  // U+DC80 written as UTF-8
        {"\xf0\x9f\x98\x80\xff", u"😀\xdcff"},
    };
    const TempDir dir;
    for (const Case& c : cases) {
        EXPECT_EQ(path_from_native(c.bytes), c.path) << c.bytes;
        EXPECT_EQ(native_from_path(c.path), c.bytes) << c.bytes;
        const std::string folder = dir.path().native() + "/";
        {
            std::ofstream file(folder + c.bytes, std::ios::binary);
            file << "x";
        }
        EXPECT_EQ(read_file_bytes(path_from_native(folder) + c.path, max_text_file_bytes), "x")
            << c.bytes;
    }
    // A lone surrogate no name holds is written as U+FFFD.
    EXPECT_EQ(native_from_path(u"a\xd800"
                               u"b"),
              "a\xef\xbf\xbd"
              "b");
}

}  // namespace
}  // namespace text
