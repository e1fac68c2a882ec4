// Which glyph pairs the Qt text box measures for kerning, read from a font's GPOS and kern
// tables: the pairs a table names, every pair when it positions glyphs in ways not read or when
// it is cut short, none when it kerns nothing.
#include <gtest/gtest.h>

#include <QByteArray>
#include <cstdint>
#include <initializer_list>

#include "KerningCoverage.h"

namespace {

using Scintilla::Internal::KerningCoverage;

QByteArray big_endian(std::initializer_list<std::uint16_t> words) {
    QByteArray bytes;
    for (const std::uint16_t word : words) {
        bytes.append(static_cast<char>(word >> 8));
        bytes.append(static_cast<char>(word & 0xFF));
    }
    return bytes;
}

// A GPOS table with one feature holding one lookup of the given type, whose one subtable is a
// pair adjustment (format 1) of glyph 5 followed by glyph 7.
QByteArray gpos(const char (&feature)[5], std::uint16_t lookup_type) {
    const auto tag_high = static_cast<std::uint16_t>((feature[0] << 8) | feature[1]);
    const auto tag_low = static_cast<std::uint16_t>((feature[2] << 8) | feature[3]);
    // clang-format off
    return big_endian({
        1, 0, 10, 12, 26,                 // version 1.0; script, feature, lookup lists
        0,                                // no scripts
        1, tag_high, tag_low, 8,          // one feature record, at 12 + 8
        0, 1, 0,                          // the feature: lookup 0
        1, 4,                             // one lookup, at 26 + 4
        lookup_type, 0, 1, 8,             // its one subtable, at 30 + 8
        1, 18, 0x0004, 0, 1, 12,          // pair adjustment: coverage and one pair set
        1, 7, static_cast<std::uint16_t>(-50),  // the pair set: before glyph 7, 50 units less
        1, 1, 5,                          // coverage: glyph 5
    });
    // clang-format on
}

// A Microsoft kern table of one horizontal subtable holding the pair glyph 3, glyph 4.
QByteArray kern() {
    return big_endian({0, 1, 0, 20, 0x0001, 1, 6, 0, 0, 3, 4, 0xFFEC});
}

TEST(KerningCoverageTest, PairsAreMeasuredOnlyWhereATableMayKernThem) {
    struct Case {
        const char* what;
        QByteArray gpos;
        QByteArray kern;
        bool kerns_5_7;
        bool kerns_3_4;
        bool kerns_any;  // any pair at all, such as glyphs 1234 and 99
    };
    const Case cases[] = {
        {"no tables", {}, {}, false, false, false},
        {"a GPOS kern feature", gpos("kern", 2), {}, true, false, false},
        // The lookup an extension (type 9) whose subtable points on to the pair adjustment.
        {"one through an extension",
         gpos("kern", 9).insert(38, big_endian({1, 2, 0, 8})),
         {},
         true,
         false,
         false},
        {"a feature other than kerning", gpos("liga", 2), {}, false, false, false},
        {"contextual positioning", gpos("kern", 8), {}, true, true, true},
        {"a legacy kern table", {}, kern(), false, true, false},
        {"both", gpos("kern", 2), kern(), true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const KerningCoverage coverage = KerningCoverage::FromTables(c.gpos, c.kern);
        EXPECT_EQ(coverage.MayStart(5) && coverage.MayEnd(7), c.kerns_5_7);
        EXPECT_EQ(coverage.MayStart(3) && coverage.MayEnd(4), c.kerns_3_4);
        EXPECT_EQ(coverage.MayStart(1234) && coverage.MayEnd(99), c.kerns_any);
        EXPECT_FALSE(!c.kerns_any && coverage.MayStart(7));
    }
}

TEST(KerningCoverageTest, ATableCutShortMakesEveryPairACandidate) {
    for (const QByteArray& whole : {gpos("kern", 2), kern()}) {
        for (qsizetype length = 1; length < whole.size(); ++length) {
            SCOPED_TRACE(length);
            const QByteArray cut = whole.left(length);
            const bool is_gpos = whole.size() > kern().size();
            const KerningCoverage coverage = KerningCoverage::FromTables(
                is_gpos ? cut : QByteArray(), is_gpos ? QByteArray() : cut);
            EXPECT_TRUE(coverage.MayStart(1234) && coverage.MayEnd(99));
        }
    }
}

}  // namespace
