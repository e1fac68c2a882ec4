// libFuzzer target for the whole text reader: any bytes go through a real file read, decoding
// and the line cursor into the open command's CR LF text. What only it covers: the reader on a
// descriptor, and inputs past the small targets' 4 KiB, where the legacy converters cut their
// input into runs and the UTF-8 decoder reserves in stretches; each decoder is checked there too.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/host/host_error.h"
#include "core/viewer/open_command.h"
#include "decoding_checks.h"
#include "fuzz_check.h"
#include "japanese_checks.h"
#include "plain_text.h"
#include "text/text_decoding.h"
#include "text/text_file_reader.h"

namespace {

using fuzz::check;

// Up to this size the small targets check each decoder far faster.
constexpr std::size_t small_target_bytes = 4096;

// The input as an anonymous in-memory file, so the reader takes the same path as on disk:
// open, fstat, read, decode.
class MemoryFile {
  public:
    explicit MemoryFile(std::string_view bytes) : fd_(::memfd_create("reader_fuzz", MFD_CLOEXEC)) {
        check(fd_ >= 0, "memfd_create");
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t count = ::write(fd_, bytes.data() + written, bytes.size() - written);
            check(count > 0, "write to memfd");
            written += static_cast<std::size_t>(count);
        }
    }
    ~MemoryFile() { ::close(fd_); }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    std::u16string path() const {
        const std::string name = "/proc/self/fd/" + std::to_string(fd_);
        return {name.begin(), name.end()};
    }

  private:
    int fd_;
};

// The whole reader on a real descriptor agrees with decoding plus the cursor.
void check_reader(std::string_view bytes, std::u16string_view text) {
    const MemoryFile file(bytes);
    try {
        text::TextFileReader reader(file.path());
        const std::size_t announced = reader.crlf_text_size();
        const std::u16string crlf = viewer::read_crlf_text(reader);
        check(crlf.size() == announced, "crlf_text_size is the size of the CR LF text");
        check(reader.crlf_text_size() == 0 && reader.at_end(), "the reader is used up");
        check(crlf == fuzz::crlf_normalised(text),
              "the reader's CR LF text is the normalised text");
    } catch (const host::HostError&) {
        check(false, "an in-memory file is always readable");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = text::decode_text(bytes);
    fuzz::check_decoded(bytes, text);
    if (bytes.size() > small_target_bytes) {
        fuzz::check_utf8(bytes);
        fuzz::check_cp932(bytes);
        fuzz::check_euc_jp(bytes);
        fuzz::check_iso2022_jp(bytes);
        fuzz::check_legacy_choice(bytes);
    }
    fuzz::check_lines(text);
    check_reader(bytes, text);
    fuzz::check_round_trips(text);
    return 0;
}
