// Japanese text written by an independent encoder (Python's codecs, at build time) in EUC-JP,
// ISO-2022-JP and code page 932 reads back as the text it was made from.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "same_text.h"
#include "text/text_decoding.h"

namespace text {
namespace {

using namespace std::string_view_literals;

struct Sample {
    std::string_view group;
    const char* name;
    std::string_view bytes;
    std::u16string_view text;
    int repeat;  // the bytes and the text taken this many times over
};

const std::vector<Sample> samples = {
#include "japanese_samples.inc"
};

void expect_group_reads_back(std::string_view group) {
    int count = 0;
    for (const Sample& sample : samples) {
        if (sample.group != group)
            continue;
        SCOPED_TRACE(sample.name);
        ++count;
        std::string bytes;
        std::u16string text;
        for (int i = 0; i < sample.repeat; ++i) {
            bytes += sample.bytes;
            text += sample.text;
        }
        EXPECT_TRUE(text_test::same_text(decode_text(bytes), text));
    }
    EXPECT_GT(count, 0) << "no samples in the group " << group;
}

TEST(JapaneseSamples, AllOfJisX0208InEachEncoding) {
    expect_group_reads_back("whole");
}

TEST(JapaneseSamples, SingleWords) {
    expect_group_reads_back("word");
}

// Bytes that read whole in both EUC-JP and code page 932, and the reading the rule gives them.
TEST(JapaneseSamples, BytesBothEncodingsReadWhole) {
    expect_group_reads_back("ambiguous");
}

TEST(JapaneseSamples, LongTexts) {
    expect_group_reads_back("long");
}

}  // namespace
}  // namespace text
