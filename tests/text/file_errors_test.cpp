// The wording of file reading failures, and how sizes in it are written.
#include "text/file_errors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/text_file_reader.h"

namespace text {
namespace {

TEST(ByteSizeText, UsesTheLargestUnitThatDividesExactly) {
    struct Case {
        std::uint64_t bytes;
        std::u16string text;
    };
    const std::vector<Case> cases = {
        {0, u"0 バイト"},
        {1, u"1 バイト"},
        {1000, u"1000 バイト"},
        {1024, u"1 KiB"},
        {1536, u"1536 バイト"},
        {1024 * 1024, u"1 MiB"},
        {max_text_file_bytes, u"256 MiB"},
        {max_text_file_bytes + 1024, u"262145 KiB"},
        {std::uint64_t{3} << 30, u"3 GiB"},
        {std::uint64_t{1} << 40, u"1024 GiB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(byte_size_text(c.bytes), c.text);
    }
}

TEST(FileError, AppendsTheDetailInBrackets) {
    EXPECT_EQ(file_error(FileProblem::not_found).message(), u"ファイルが見つかりません。");
    EXPECT_EQ(file_error(FileProblem::cannot_read, u"Input/output error").message(),
              u"ファイルを読み込めませんでした。（Input/output error）");
    EXPECT_EQ(file_too_large_error(max_text_file_bytes).message(),
              u"ファイルが大きすぎます（上限 256 MiB）。");
    // The runtime_error text is the same message in UTF-8, for logs.
    EXPECT_STREQ(file_error(FileProblem::folder).what(), "フォルダーは開けません。");
}

}  // namespace
}  // namespace text
