// Topmost placement arithmetic and the always-on-top toggle, on the fake host.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "core/geometry/twips.h"
#include "core/topmost/topmost.h"
#include "core/window/main_window.h"
#include "fake_host.h"

namespace {

TEST(TopmostTest, QuotientsRoundTowardMinusInfinity) {
    struct Case {
        float twips, per_pixel;
        int pixels;
    };
    const Case cases[] = {
        {1500, 15, 100},
        {-112.5f, 15, -8},
        {112.5f, 15, 7},
        {-15, 15, -1},
        {-1, 15, -1},
        {14.99f, 15, 0},
        {0, 15, 0},
        {5910, 15, 394},
        {4305, 15, 287},
        {100, 7.5f, 13},
        {-100, 7.5f, -14},
        {1e12f, 15, std::numeric_limits<int>::max()},
        {-1e12f, 15, std::numeric_limits<int>::min()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(geometry::pixels_from_twips(c.twips, c.per_pixel), c.pixels)
            << c.twips << " / " << c.per_pixel;
    }
    EXPECT_EQ(geometry::pixels_from_twips(std::numeric_limits<float>::quiet_NaN(), 15), 0);
}

TEST(TopmostTest, ApplyAndReleaseDifferOnlyInInsertAfter) {
    fake::FakeHost fake;
    fake.left_ = -112.5f;  // a window partly off the left of the screen
    fake.top_ = 52.5f;
    fake.width_ = 6165;
    fake.height_ = 4740;
    topmost::apply_topmost(fake.host());
    topmost::release_topmost(fake.host());
    ASSERT_EQ(fake.placements.size(), 2u);
    for (const auto& call : fake.placements) {
        EXPECT_EQ(call.window, 0x1234);
        EXPECT_EQ(call.x, -8);
        EXPECT_EQ(call.y, 3);
        EXPECT_EQ(call.cx, 411);
        EXPECT_EQ(call.cy, 316);
        EXPECT_EQ(call.flags, 0x40u);
    }
    EXPECT_EQ(fake.placements[0].insert_after, -1);
    EXPECT_EQ(fake.placements[1].insert_after, -2);
}

TEST(TopmostTest, MetricIsReadAfreshForEachQuotient) {
    fake::FakeHost fake;
    fake.left_ = 300;
    fake.top_ = 600;
    fake.width_ = 3000;
    fake.height_ = 6000;
    // The first read of each axis sees 15, the second 12: left/top use the first.
    fake.twips_per_pixel_x_ = {15, 12};
    fake.twips_per_pixel_y_ = {15, 12};
    topmost::apply_topmost(fake.host());
    EXPECT_EQ(fake.metric_reads, 4);
    const auto& call = fake.placements.at(0);
    EXPECT_EQ(call.x, 20);
    EXPECT_EQ(call.y, 40);
    EXPECT_EQ(call.cx, 250);
    EXPECT_EQ(call.cy, 500);
}

TEST(TopmostTest, AWindowAtWholePixelsKeepsItsRectangleAtEveryDpi) {
    // The layers report the window's pixels through twips_from_pixels; the core divides back
    // in single precision and floors. At 168 and 216 dpi a plain product falls short for
    // hundreds of values (31 px at 168 dpi came back as 30).
    for (const int dpi : {96, 120, 144, 168, 192, 216}) {
        const float per_pixel = geometry::twips_per_pixel(static_cast<float>(dpi));
        int failures = 0;
        for (int px = -3000; px <= 8000; ++px) {
            fake::FakeHost fake;
            fake.twips_per_pixel_x_ = {per_pixel};
            fake.twips_per_pixel_y_ = {per_pixel};
            fake.left_ = geometry::twips_from_pixels(px, per_pixel);
            fake.top_ = geometry::twips_from_pixels(-px, per_pixel);
            fake.width_ = geometry::twips_from_pixels(px + 3000, per_pixel);
            fake.height_ = geometry::twips_from_pixels(8000 - px, per_pixel);
            topmost::apply_topmost(fake.host());
            const auto& call = fake.placements.at(0);
            if (std::make_tuple(call.x, call.y, call.cx, call.cy) !=
                std::make_tuple(px, -px, px + 3000, 8000 - px)) {
                ++failures;
            }
            // The layers' own nearest-pixel sizing gives the same pixels back.
            if (geometry::nearest_pixels_from_twips(fake.left_, per_pixel) != px)
                ++failures;
        }
        EXPECT_EQ(failures, 0) << dpi << " dpi";
    }
}

TEST(TopmostTest, LayersSizeToTheNearestPixel) {
    struct Case {
        float twips;
        float per_pixel;
        int pixels;
    };
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float infinity = std::numeric_limits<float>::infinity();
    constexpr int most = std::numeric_limits<int>::max();
    constexpr int least = std::numeric_limits<int>::min();
    const Case cases[] = {
        {5910, 15, 394},
        {4305, 15, 287},
        {5910, 12, 493},
        {4305, 12, 359},
        {5910, 10, 591},
        {4305, 7.5f, 574},
        {7, 15, 0},
        {8, 15, 1},
        {-8, 15, -1},
        {7.5f, 15, 1},
        {-7.5f, 15, -1},
        // Clamped as the core's own quotients are: no overflow, whatever a window reports.
        {nan, 15, 0},
        {1e12f, 15, most},
        {-1e12f, 15, least},
        {infinity, 15, most},
        {-infinity, 15, least},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(geometry::nearest_pixels_from_twips(c.twips, c.per_pixel), c.pixels)
            << c.twips << " / " << c.per_pixel;
    }
}

TEST(TopmostTest, TwipsOfFractionalPixelsAreThePlainProduct) {
    // Pointer positions can fall between pixels; those are scaled, not rounded.
    EXPECT_FLOAT_EQ(geometry::twips_from_pixels(12.5, 15), 187.5f);
    EXPECT_FLOAT_EQ(geometry::twips_from_pixels(-0.5, 12), -6);
    EXPECT_FLOAT_EQ(geometry::twips_per_pixel(96), 15);
    EXPECT_FLOAT_EQ(geometry::twips_per_pixel(144), 10);
}

TEST(TopmostTest, PixelCountsNoTwipsDivideBackToStillGiveTheirTwips) {
    // Past the int range the quotient is clamped below the count, so the steps that mend a
    // rounded product never succeed: their bound must end them.
    const float per_pixel = geometry::twips_per_pixel(168);
    for (const double pixels : {1e10, -1e10, 4e9}) {
        const double twips = geometry::twips_from_pixels(pixels, per_pixel);
        EXPECT_NEAR(twips / (pixels * per_pixel), 1.0, 1e-6) << pixels;
    }
    EXPECT_EQ(geometry::twips_from_pixels(std::numeric_limits<double>::infinity(), per_pixel),
              std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(geometry::twips_from_pixels(std::nan(""), per_pixel)));
}

TEST(ToggleTest, FirstChoiceReleasesSecondRestoresCheckMarkFollowingPlacement) {
    fake::FakeHost fake;
    window::Form1 form(fake.host());
    form.on_load();
    std::vector<bool> checked_during_placement;
    fake.on_set_window_pos = [&](const fake::SetWindowPosCall&) {
        checked_during_placement.push_back(form.hoppu().top_on_checked());
    };
    const std::vector<std::pair<host::NativeWindow, bool>> expected{
        {-2, false}, {-1, true}, {-2, false}, {-1, true}};
    for (const auto& [insert_after, checked_after] : expected) {
        form.on_menu_click(window::MenuItem::IDM_top_on_set);
        EXPECT_EQ(fake.placements.back().insert_after, insert_after);
        EXPECT_EQ(form.hoppu().top_on_checked(), checked_after);
        EXPECT_EQ(form.hoppu().popup().entries.at(5).checked, checked_after);
    }
    // The check mark still held the old state when each placement was made.
    EXPECT_EQ(checked_during_placement, (std::vector<bool>{true, false, true, false}));
}

// A window rectangle in pixels, as a placement hands it over.
struct Rect {
    int x, y, cx, cy;
    bool operator==(const Rect&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Rect& r) {
        return out << r.x << "," << r.y << " " << r.cx << "x" << r.cy;
    }
};

TEST(ToggleTest, AWindowMovedWhereItIsPlacedDoesNotCreepThroughToggles) {
    // At 168 dpi a plain product of pixels and twips divides back a pixel short for many
    // counts (31 among them), so a window that reports where each placement put it would be
    // placed a pixel off where it stood.
    const float per_pixel = geometry::twips_per_pixel(168);
    const Rect start{31, -7, 413, 301};
    fake::FakeHost fake;
    fake.twips_per_pixel_x_ = {per_pixel};
    fake.twips_per_pixel_y_ = {per_pixel};
    const auto report = [&](const Rect& at) {
        fake.left_ = geometry::twips_from_pixels(at.x, per_pixel);
        fake.top_ = geometry::twips_from_pixels(at.y, per_pixel);
        fake.width_ = geometry::twips_from_pixels(at.cx, per_pixel);
        fake.height_ = geometry::twips_from_pixels(at.cy, per_pixel);
    };
    report(start);
    fake.on_set_window_pos = [&](const fake::SetWindowPosCall& call) {
        report({call.x, call.y, call.cx, call.cy});
    };
    window::Form1 form(fake.host());
    form.on_load();
    for (int i = 0; i < 6; ++i)
        form.on_menu_click(window::MenuItem::IDM_top_on_set);
    ASSERT_EQ(fake.placements.size(), 7u);
    for (const auto& call : fake.placements)
        EXPECT_EQ((Rect{call.x, call.y, call.cx, call.cy}), start);
}

}  // namespace
