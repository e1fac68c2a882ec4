// The rules both platform layers share: failure reports, the context menu after our menu,
// reading a placement request, menu captions and the paste bound.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/geometry/twips.h"
#include "core/host/host_error.h"
#include "core/host/popup_menu.h"
#include "platform/common/context_menu_gate.h"
#include "platform/common/failure_report.h"
#include "platform/common/menu_captions.h"
#include "platform/common/paste_limit.h"
#include "platform/common/pixel_window.h"
#include "platform/common/placement_request.h"
#include "text/utf.h"

namespace {

struct NotAStandardException {};

TEST(FailureReporterTest, EveryKindOfFailureIsWordedInJapanese) {
    struct Case {
        const char* name;
        std::exception_ptr failure;
        std::u16string detail;
    };
    const Case cases[] = {
        {"host error",
         std::make_exception_ptr(host::HostError(u"テキストを表示できませんでした。")),
         u"テキストを表示できませんでした。"},
        {"out of memory", std::make_exception_ptr(std::bad_alloc()), u"メモリが足りません。"},
        {"standard", std::make_exception_ptr(std::runtime_error("disk on fire")), u"disk on fire"},
        {"anything else", std::make_exception_ptr(NotAStandardException{}),
         u"原因不明のエラーです。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::u16string> shown;
        platform::common::FailureReporter reporter(
            [&](const char16_t* message) { shown.emplace_back(message); });
        reporter.report(c.failure);
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0], u"予期しないエラーが発生しました。\n\n" + c.detail);
    }
}

TEST(FailureReporterTest, GuardedCatchesEverythingAndSaysWhetherTheActionRanThrough) {
    std::vector<std::u16string> shown;
    platform::common::FailureReporter reporter(
        [&](const char16_t* message) { shown.emplace_back(message); });
    EXPECT_TRUE(reporter.guarded([] {}));
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(reporter.guarded([] { throw NotAStandardException{}; }));
    EXPECT_FALSE(reporter.guarded([] { throw 42; }));
    EXPECT_EQ(shown.size(), 2u);
}

TEST(FailureReporterTest, FailuresWhileItsBoxIsUpAreNotStacked) {
    std::vector<std::u16string> shown;
    platform::common::FailureReporter* self = nullptr;
    // The box runs a modal loop, in which resizes keep failing and reaching the reporter.
    platform::common::FailureReporter reporter([&](const char16_t* message) {
        shown.emplace_back(message);
        for (int i = 0; i < 5; ++i)
            self->report(std::make_exception_ptr(std::runtime_error("again")));
    });
    self = &reporter;
    reporter.report(std::make_exception_ptr(std::runtime_error("first")));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find(u"first"), std::u16string::npos);
    // Once the box is closed, the next failure gets one of its own.
    reporter.report(std::make_exception_ptr(std::runtime_error("later")));
    EXPECT_EQ(shown.size(), 2u);
}

TEST(FailureReporterTest, ABoxThatFailsFallsBackToThePlainSentence) {
    std::vector<std::u16string> shown;
    platform::common::FailureReporter reporter([&](const char16_t* message) {
        if (std::u16string_view(message).size() > 20)
            throw std::bad_alloc();
        shown.emplace_back(message);
    });
    reporter.report(std::make_exception_ptr(std::runtime_error("boom")));
    EXPECT_EQ(shown, std::vector<std::u16string>{platform::common::unexpected_failure_fallback});
    platform::common::FailureReporter hopeless([](const char16_t*) { throw 1; });
    hopeless.report(std::make_exception_ptr(std::runtime_error("boom")));  // must not throw
}

TEST(ContextMenuGateTest, OnlyTheClickThatOpenedOurMenuLosesItsContextMenu) {
    struct Step {
        const char* what;
        bool press, opened_ours, from_keyboard, allowed;
    };
    const Step steps[] = {
        {"context menu without any press", false, false, false, true},
        {"our menu's click", true, true, false, false},
        {"its context menu came already", false, false, false, true},
        {"plain right click", true, false, false, true},
        {"our menu, then the menu key", true, true, true, true},
        {"our menu, then a later click's", true, true, false, false},
    };
    platform::common::ContextMenuGate gate;
    for (const Step& step : steps) {
        if (step.press)
            gate.pressed(step.opened_ours);
        EXPECT_EQ(gate.allows_context_menu(step.from_keyboard), step.allowed) << step.what;
    }
}

TEST(PlacementRequestTest, TheWindowsOwnRectangleNeverMovesIt) {
    const platform::common::PixelRect own{10, -4, 410, 320};
    struct Case {
        const char* name;
        host::NativeWindow insert_after;
        platform::common::PixelRect requested;
        unsigned flags;
        platform::common::ZBand band;
        bool moves, shows;
    };
    const Case cases[] = {
        {"apply", host::hwnd_topmost, own, host::swp_showwindow, platform::common::ZBand::topmost,
         false, true},
        {"release", host::hwnd_notopmost, own, host::swp_showwindow,
         platform::common::ZBand::not_topmost, false, true},
        {"elsewhere",
         host::hwnd_topmost,
         {11, -4, 410, 320},
         0,
         platform::common::ZBand::topmost,
         true,
         false},
        {"other size", 0, {10, -4, 409, 320}, 0, platform::common::ZBand::unchanged, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const platform::common::PlacementRequest request =
            platform::common::placement_request(c.insert_after, c.requested, c.flags, own);
        EXPECT_EQ(request.band, c.band);
        EXPECT_EQ(request.move_to.has_value(), c.moves);
        if (c.moves) {
            EXPECT_EQ(*request.move_to, c.requested);
        }
        EXPECT_EQ(request.show, c.shows);
    }
}

// The box may hold up to 256 MiB of UTF-8 after a paste, whatever the paste's characters weigh.
TEST(PasteLimitTest, CountsThePasteInUtf8BytesAgainstWhatTheBoxKeeps) {
    constexpr std::uint64_t limit = platform::common::max_text_box_bytes;
    const std::u16string kanji(10, u'日');  // 30 bytes
    struct Case {
        const char* name;
        std::uint64_t kept;
        std::u16string pasted;
        bool fits;
    };
    const Case cases[] = {
        {"empty into an empty box", 0, u"", true},
        {"exactly up to the limit", limit - 30, kanji, true},
        {"one byte past it", limit - 29, kanji, false},
        {"ascii counts a byte a unit", limit - 3, u"abc", true},
        {"a pair counts four", limit - 3, u"\U0001F600", false},
        {"a lone surrogate counts as its replacement", limit - 3, std::u16string(1, u'\xD800'),
         true},
        {"a full box takes nothing more", limit, u"a", false},
        {"a box already over takes nothing", limit + 1, u"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(platform::common::paste_fits(c.kept, c.pasted), c.fits);
    }
    EXPECT_EQ(platform::common::paste_too_large_message(),
              u"貼り付けるとテキストが大きすぎるため（上限 256 MiB）、貼り付けませんでした。");
}

TEST(PasteLimitTest, RefusalsNameWhatWouldBeTooLargeAndItsLimit) {
    struct Case {
        std::u16string too_large, limit, message;
    };
    const Case cases[] = {
        {u"テキストが大きすぎる", u"上限 1 KiB",
         u"貼り付けるとテキストが大きすぎるため（上限 1 KiB）、貼り付けませんでした。"},
        // A half-width start stands apart from the Japanese before it.
        {u"1 行が長すぎる", u"1 行の上限 32 MiB",
         u"貼り付けると 1 行が長すぎるため（1 行の上限 32 MiB）、貼り付けませんでした。"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::common::refused_paste_message(c.too_large, c.limit), c.message);
}

TEST(MenuCaptionTest, AmpersandsShowAsWritten) {
    EXPECT_EQ(platform::common::caption_as_written(u"開く"), u"開く");
    EXPECT_EQ(platform::common::caption_as_written(u"A&B"), u"A&&B");
    EXPECT_EQ(platform::common::caption_as_written(u"&&"), u"&&&&");
    EXPECT_EQ(platform::common::caption_as_written(u""), u"");
}

// A window of whole pixels at 168 dpi, recording what it is asked to do.
class PixelWindowAt168 final : public platform::common::PixelWindow {
  public:
    platform::common::PixelRect outer{31, -7, 413, 301};
    platform::common::PixelRect client{0, 0, 397, 262};
    std::vector<platform::common::PlacementRequest> placed;
    std::vector<platform::common::PixelPoint> menus_at;

    void set_caption(const std::u16string&) override {}
    host::NativeWindow native_handle() const override { return 7; }
    void set_busy_cursor(bool) override {}
    void unload() override {}
    void end() override {}
    PixelWindowAt168() : PixelWindow(true) {}

  private:
    float dots_per_inch_x() const override { return 168; }
    float dots_per_inch_y() const override { return 168; }
    platform::common::PixelRect outer_pixels() const override { return outer; }
    platform::common::PixelRect client_pixels() const override { return client; }
    std::optional<int> show_popup_menu(const host::PopupMenu&,
                                       platform::common::PixelPoint at) override {
        menus_at.push_back(at);
        return std::nullopt;
    }
    void place(host::NativeWindow, host::NativeWindow, const platform::common::PixelRect&, unsigned,
               const platform::common::PlacementRequest& request) override {
        placed.push_back(request);
    }
};

TEST(PixelWindowTest, ReportsTwipsThatDivideBackAndPlacesAgainstItsOwnRectangle) {
    PixelWindowAt168 window;
    const float per_pixel = window.twips_per_pixel_x();
    EXPECT_EQ(geometry::pixels_from_twips(window.left(), per_pixel), 31);
    EXPECT_EQ(geometry::pixels_from_twips(window.top(), per_pixel), -7);
    EXPECT_EQ(geometry::pixels_from_twips(window.width(), per_pixel), 413);
    EXPECT_EQ(geometry::pixels_from_twips(window.height(), per_pixel), 301);
    EXPECT_EQ(geometry::pixels_from_twips(window.scale_width(), per_pixel), 397);
    EXPECT_EQ(geometry::pixels_from_twips(window.scale_height(), per_pixel), 262);

    window.set_window_pos(7, host::hwnd_topmost, 31, -7, 413, 301, host::swp_showwindow);
    window.set_window_pos(7, host::hwnd_notopmost, 32, -7, 413, 301, 0);
    ASSERT_EQ(window.placed.size(), 2u);
    EXPECT_FALSE(window.placed[0].move_to);
    EXPECT_TRUE(window.placed[0].show);
    ASSERT_TRUE(window.placed[1].move_to);
    EXPECT_EQ(window.placed[1].move_to->x, 32);

    window.popup_menu({}, geometry::twips_from_pixels(40, per_pixel), 30 * per_pixel);
    ASSERT_EQ(window.menus_at.size(), 1u);
    EXPECT_EQ(window.menus_at[0].x, 40);
    EXPECT_EQ(window.menus_at[0].y, 30);
}

}  // namespace
