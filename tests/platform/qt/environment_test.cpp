// The Linux program's choices about its display and its failures, on real widgets.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QTest>
#include <functional>
#include <new>
#include <stdexcept>

#include "modal_watch.h"
#include "platform/qt/qt_environment.h"
#include "platform/qt/qt_guard.h"
#include "platform/qt/qt_program.h"

namespace {

TEST(DisplayChoiceTest, XWhereThereIsOneAndStayOnTopOnlyWhereItWorks) {
    using platform::qt::DisplayEnvironment;
    struct Case {
        const char* name;
        DisplayEnvironment environment;
        bool has_display;
        std::optional<std::string_view> platform;
        bool can_stay_on_top;
    };
    const Case cases[] = {
        {"nothing", {std::nullopt, false, false}, false, std::nullopt, false},
        {"X11", {std::nullopt, true, false}, true, "xcb", true},
        {"Wayland with XWayland", {std::nullopt, true, true}, true, "xcb", true},
        {"Wayland alone", {std::nullopt, false, true}, true, std::nullopt, false},
        {"named xcb", {"xcb", false, true}, true, std::nullopt, true},
        {"named wayland", {"wayland", true, true}, true, std::nullopt, false},
        {"named wayland-egl", {"wayland-egl", true, true}, true, std::nullopt, false},
        {"named offscreen", {"offscreen", false, false}, true, std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const platform::qt::DisplayChoice choice = platform::qt::choose_display(c.environment);
        EXPECT_EQ(choice.has_display, c.has_display);
        EXPECT_EQ(choice.platform, c.platform);
        EXPECT_EQ(choice.can_stay_on_top, c.can_stay_on_top);
    }
}

TEST(StayOnTopTest, WhereTheDesktopCannotTheCheckMarkIsOffAndTheUserIsToldOnce) {
    platform::qt::QtProgram program(false);
    QString told;
    qt_test::ModalWatch watch([&](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            told = box->text();
        modal.close();
    });
    program.start();
    EXPECT_EQ(watch.seen(), 1);
    EXPECT_TRUE(told.contains(QStringLiteral("常に手前に表示できません"))) << told.toStdString();
    EXPECT_FALSE(program.core().hoppu().top_on_checked());
}

struct NotAStandardException {};

class FailingEvents final : public host::WindowEvents {
  public:
    void on_load() override {}
    void on_resize() override {
        ++resizes;
        throw NotAStandardException{};
    }
    bool on_text_mouse_down(const host::MouseDown&) override { throw 42; }
    void on_files_given(const std::vector<host::GivenFile>&) override { throw 42; }
    int resizes = 0;
};

TEST(FailureBoundaryTest, AFailureOnEveryResizeShowsOneBoxAndTheWindowGoesOn) {
    platform::qt::QtProgram program;
    program.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.form()));
    FailingEvents events;
    program.form().set_events(events);
    QStringList told;
    qt_test::ModalWatch watch([&](QWidget& modal) {
        if (auto* box = qobject_cast<QMessageBox*>(&modal))
            told << box->text();
        // Resized again while the box is up: each resize fails once more.
        for (const int width : {300, 320, 340})
            program.form().resize(width, 250);
        modal.close();
    });
    program.form().resize(280, 240);
    EXPECT_EQ(
        told,
        QStringList{QStringLiteral("予期しないエラーが発生しました。\n\n原因不明のエラーです。")});
    EXPECT_EQ(events.resizes, 4);
    // A press the core fails on is reported too, and the text box still takes it.
    QTest::mouseClick(program.form().text1().viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(told.size(), 2);
    EXPECT_TRUE(program.form().isVisible());
    program.form().set_events(program.core());
}

TEST(FailureBoundaryTest, TheProgramsExitCodeOrAFailureWithNoWindowInABoxOfItsOwn) {
    struct Case {
        const char* name;
        std::function<int()> program;
        int exit_code;
        QStringList told;  // title | text
    };
    const QString unexpected = QStringLiteral("エラー|予期しないエラーが発生しました。\n\n");
    const Case cases[] = {
        {"ends well", [] { return 0; }, 0, {}},
        {"ends with its own code", [] { return 3; }, 3, {}},
        {"fails while Form1 is made",
         []() -> int { throw std::runtime_error("no window"); },
         1,
         {unexpected + QStringLiteral("no window")}},
        {"runs out of memory",
         []() -> int { throw std::bad_alloc(); },
         1,
         {unexpected + QStringLiteral("メモリが足りません。")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QStringList told;
        bool stood_alone = true;
        qt_test::ModalWatch watch([&](QWidget& modal) {
            told << modal.windowTitle() + QLatin1Char('|') +
                        static_cast<QMessageBox&>(modal).text();
            stood_alone = stood_alone && modal.parentWidget() == nullptr;
            modal.close();
        });
        EXPECT_EQ(platform::qt::run_guarded(c.program), c.exit_code);
        EXPECT_EQ(told, c.told);
        EXPECT_TRUE(stood_alone);
    }
}

}  // namespace
