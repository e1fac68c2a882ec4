// The Linux program's entry point: Qt set up for a Japanese, always-on-top viewer, then Form1.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "platform/qt/qt_environment.h"
#include "platform/qt/qt_guard.h"
#include "platform/qt/qt_program.h"

int main(int argc, char* argv[]) {
    const platform::qt::DisplayChoice display = platform::qt::prepare_display();
    if (!display.has_display) {
        std::fputs(
            "ontopview: 画面（ディスプレイ）が見つかりません。DISPLAY を設定してください。\n"
            "ontopview: no display found; set DISPLAY (or run scripts/run.sh, which can use a "
            "virtual display).\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    return platform::qt::run_guarded([&] {
        QApplication::setApplicationName(QStringLiteral("ontopview"));
        QApplication::setDesktopFileName(QStringLiteral("ontopview"));
        // Built in rather than looked up in the icon theme, which costs a fifth of start-up.
        QIcon icon;
        for (const int size : {16, 32, 48, 64})
            icon.addFile(QStringLiteral(":/icons/ontopview-%1.png").arg(size), QSize(size, size));
        QApplication::setWindowIcon(icon);
        platform::qt::keep_settings_off_disk();
        const auto translator = platform::qt::install_japanese_translations();

        platform::qt::QtProgram program(display.can_stay_on_top);
        program.start();
        return QApplication::exec();
    });
}
