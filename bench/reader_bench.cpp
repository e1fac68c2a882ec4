// Times the text file reader against the floor of reading and converting the same bytes, on
// generated Japanese files of 1, 10 and 100 MiB in UTF-8, code page 932, EUC-JP and ISO-2022-JP.
#include <fcntl.h>
#include <iconv.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_file_reader.h"
#include "text/utf.h"

namespace {

constexpr std::size_t mib = 1024 * 1024;

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

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(std::intptr_t{-1})) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of `in` into `out`, which must be large enough; returns the bytes written.
    std::size_t convert(std::string_view in, char* out, std::size_t out_size) const {
        char* in_next = const_cast<char*>(in.data());
        std::size_t in_left = in.size();
        char* out_next = out;
        std::size_t out_left = out_size;
        if (iconv(handle_, &in_next, &in_left, &out_next, &out_left) == static_cast<size_t>(-1)) {
            throw std::runtime_error("iconv failed: " + std::to_string(errno));
        }
        return static_cast<std::size_t>(out_next - out);
    }

  private:
    iconv_t handle_;
};

class BenchDir {
  public:
    BenchDir() {
        std::string name =
            (std::filesystem::temp_directory_path() / "reader_bench_XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        path_ = name;
    }
    ~BenchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    BenchDir(const BenchDir&) = delete;
    BenchDir& operator=(const BenchDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

// About 64 KiB of varied Japanese lines (kanji, kana, half-width katakana, digits, ASCII),
// all of it representable in code page 932.
std::string sample_block() {
    const std::vector<std::string_view> phrases = {
        "常に最前面に表示されるテキストビューアーの",
        "動作を確かめるための文章です。",
        "ウィンドウを右クリックするとメニューが開きます。",
        "ﾌｫﾝﾄの大きさは設定から変えられます。",
        "第12章　設計と実装について",
        "①　ファイルを開く　②　文字コードを判定する　③　行に分ける",
        "UTF-8 と Shift_JIS（CP932）の両方を読み込みます。",
        "全角チルダ～と波ダッシュの違いに注意すること。",
        "吾輩はテキストである。名前はまだ無い。",
        "東京都千代田区丸の内１－２－３",
        "価格：￥１，２８０（税込）",
        "ABCDEFG abcdefg 0123456789 !\"#$%&'()",
    };
    std::mt19937 random(20240601);
    std::string block;
    while (block.size() < 64 * 1024) {
        const std::size_t count = 1 + random() % 5;
        for (std::size_t i = 0; i < count; ++i)
            block += phrases[random() % phrases.size()];
        block += "\r\n";
        if (random() % 16 == 0)
            block += "\r\n";  // a blank line now and then
    }
    return block;
}

// `to` as iconv names it; "//TRANSLIT" lets it write what the encoding lacks (①, half-width
// katakana in ISO-2022-JP) as something close.
std::string encoded_from_utf8(const std::string& utf8, const char* to) {
    const Converter converter(to, "UTF-8");
    // ISO-2022-JP's escapes can take more bytes than UTF-8 on short runs.
    std::string out(2 * utf8.size(), '\0');
    out.resize(converter.convert(utf8, out.data(), out.size()));
    return out;
}

// Repeats `block` up to exactly `size` bytes, cutting the last copy after a line break.
void write_file(const std::filesystem::path& path, const std::string& block, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::size_t written = 0;
    while (written + block.size() <= size) {
        out.write(block.data(), static_cast<std::streamsize>(block.size()));
        written += block.size();
    }
    std::string_view rest(block.data(), size - written);
    rest = rest.substr(0, rest.rfind('\n') + 1);
    out.write(rest.data(), static_cast<std::streamsize>(rest.size()));
    written += rest.size();
    if (written < size)
        out.write(std::string(size - written, ' ').data(),
                  static_cast<std::streamsize>(size - written));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

// What the viewer does: open with the reader, then gather the CR LF text for the text box.
std::size_t read_with_reader(const std::filesystem::path& path) {
    text::TextFileReader reader(path.u16string());
    std::u16string text;
    text.reserve(reader.crlf_text_size());
    while (!reader.at_end()) {
        text += reader.read_line();
        text += u"\r\n";
    }
    return text.size();
}

std::string read_whole(const std::filesystem::path& path) {
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status {};
    if (file.get() < 0 || ::fstat(file.get(), &status) != 0)
        throw std::runtime_error("open failed");
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    if (::read(file.get(), bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("short read");
    }
    return bytes;
}

// The least any reader must do: one read() and one plain conversion of the bytes.
std::size_t floor_utf8(const std::filesystem::path& path) {
    return text::utf16_from_utf8(read_whole(path)).size();
}

// The same for the legacy encodings: one read() and one iconv call over the whole buffer.
std::size_t floor_iconv(const std::filesystem::path& path, const char* from) {
    const std::string bytes = read_whole(path);
    const Converter converter(std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE",
                              from);
    std::u16string text(bytes.size(), u'\0');
    const std::size_t written =
        converter.convert(bytes, reinterpret_cast<char*>(text.data()), text.size() * 2);
    text.resize(written / 2);
    return text.size();
}

long max_rss_kib() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Runs `body` in a fresh child process and hands back what it returns, so that peak RSS and
// the allocator's state belong to that work alone.
template <class Result>
Result in_child(const std::function<Result()>& body, bool fresh_memory) {
    std::array<int, 2> pipe_ends{};
    if (::pipe(pipe_ends.data()) != 0)
        throw std::runtime_error("pipe failed");
    const pid_t child = ::fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        // The child leaves with _exit only: unwinding would run the parent's destructors.
        ::close(pipe_ends[0]);
        // Every large block from fresh pages, as when the viewer opens one file: otherwise
        // glibc recycles the freed buffers of one run for the next.
        if (fresh_memory)
            ::mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        try {
            const Result result = body();
            const bool sent = ::write(pipe_ends[1], &result, sizeof result) == sizeof result;
            ::_exit(sent ? 0 : 1);
        } catch (const std::exception& error) {
            std::fprintf(stderr, "reader_bench: %s\n", error.what());
            ::_exit(1);
        }
    }
    ::close(pipe_ends[1]);
    Result result{};
    const bool received = ::read(pipe_ends[0], &result, sizeof result) == sizeof result;
    ::close(pipe_ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        throw std::runtime_error("measurement failed");
    }
    return result;
}

using Work = std::function<std::size_t()>;

struct Timing {
    double reader_seconds = 1e9;
    double floor_seconds = 1e9;
};

double seconds_for(const Work& work) {
    const auto start = std::chrono::steady_clock::now();
    if (work() == 0)
        throw std::runtime_error("nothing was read");
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count();
}

// The best time of each; runs alternate so that a slow spell of the machine hits both.
Timing best_times(const Work& reader, const Work& floor_work, int repeat, bool fresh_memory) {
    return in_child<Timing>(
        [&] {
            Timing timing;
            for (int i = 0; i < repeat; ++i) {
                timing.reader_seconds = std::min(timing.reader_seconds, seconds_for(reader));
                timing.floor_seconds = std::min(timing.floor_seconds, seconds_for(floor_work));
            }
            return timing;
        },
        fresh_memory);
}

struct Residency {
    long before_kib = 0;
    long peak_kib = 0;
};

Residency peak_residency(const Work& work, bool fresh_memory) {
    return in_child<Residency>(
        [&] {
            Residency residency;
            residency.before_kib = max_rss_kib();
            work();
            residency.peak_kib = max_rss_kib();
            return residency;
        },
        fresh_memory);
}

double megabytes_per_second(std::size_t bytes, double seconds) {
    return bytes / seconds / 1e6;
}
double rss_mib(long kib) {
    return static_cast<double>(kib) / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool fresh_memory = !(argc == 2 && std::string_view(argv[1]) == "--recycled-memory");
    if (argc > 2 || (argc == 2 && fresh_memory)) {
        std::fprintf(stderr, "usage: reader_bench [--recycled-memory]\n");
        return EXIT_FAILURE;
    }
    try {
        const BenchDir dir;
        const std::string utf8_block = sample_block();
        const std::string cp932_block = encoded_from_utf8(utf8_block, "CP932");
        const std::string euc_jp_block = encoded_from_utf8(utf8_block, "EUC-JP//TRANSLIT");
        const std::string jis_block = encoded_from_utf8(utf8_block, "ISO-2022-JP//TRANSLIT");
        struct Encoding {
            const char* name;
            const std::string& block;
            const char* iconv_name;  // the floor's converter; none for UTF-8
        };
        const std::array<Encoding, 4> encodings = {{
            {"UTF-8", utf8_block, nullptr},
            {"CP932", cp932_block, "CP932"},
            {"EUC-JP", euc_jp_block, "EUC-JP"},
            {"JIS", jis_block, "ISO-2022-JP"},
        }};

        std::printf("Reader: TextFileReader, every line read into a reserved CR LF text.\n");
        std::printf(
            "Floor for UTF-8: read + utf16_from_utf8; for the others: read + one iconv "
            "call.\nJIS is ISO-2022-JP; EUC-JP and JIS are the same text, what they lack "
            "transliterated by iconv.\n");
        std::printf(
            "Throughput in MB/s (10^6 bytes of file per second), best of several runs %s;\n"
            "peak RSS of a process doing only that work (its RSS before starting in "
            "brackets).\n\n",
            fresh_memory ? "each on freshly mapped memory, as when opening one file"
                         : "on memory recycled from the previous run");
        std::printf("%-6s %8s | %12s %12s %7s | %15s %15s\n", "text", "file", "reader MB/s",
                    "floor MB/s", "ratio", "reader peak RSS", "floor peak RSS");

        bool all_met = true;
        for (const std::size_t size_mib : {1, 10, 100}) {
            const int repeat = size_mib == 1 ? 40 : size_mib == 10 ? 12 : 4;
            for (const Encoding& encoding : encodings) {
                const std::filesystem::path path = dir.path() / (std::string(encoding.name) + "_" +
                                                                 std::to_string(size_mib) + ".txt");
                const std::size_t bytes = size_mib * mib;
                write_file(path, encoding.block, bytes);
                const Work reader = [&] { return read_with_reader(path); };
                const Work floor_work = [&] {
                    return encoding.iconv_name == nullptr ? floor_utf8(path)
                                                          : floor_iconv(path, encoding.iconv_name);
                };
                const Timing timing = best_times(reader, floor_work, repeat, fresh_memory);
                const Residency reader_memory = peak_residency(reader, fresh_memory);
                const Residency floor_memory = peak_residency(floor_work, fresh_memory);
                const double reader_speed = megabytes_per_second(bytes, timing.reader_seconds);
                const double floor_speed = megabytes_per_second(bytes, timing.floor_seconds);
                const double ratio = reader_speed / floor_speed;
                all_met = all_met && ratio >= 0.5;
                std::printf(
                    "%-6s %4zu MiB | %12.1f %12.1f %7.2f | %7.1f MiB (%4.1f) %7.1f MiB (%4.1f)\n",
                    encoding.name, size_mib, reader_speed, floor_speed, ratio,
                    rss_mib(reader_memory.peak_kib), rss_mib(reader_memory.before_kib),
                    rss_mib(floor_memory.peak_kib), rss_mib(floor_memory.before_kib));
                std::fflush(stdout);
                std::filesystem::remove(path);
            }
        }
        std::printf("\nTarget reader >= 0.5 x floor: %s\n", all_met ? "met" : "MISSED");
        return all_met ? EXIT_SUCCESS : EXIT_FAILURE;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "reader_bench: %s\n", error.what());
        return EXIT_FAILURE;
    }
}
