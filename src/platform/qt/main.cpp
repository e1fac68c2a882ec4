// The Linux program's entry point: Qt set up for a Japanese, always-on-top viewer, then Form1.
#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "host/qt/qt_environment.h"
#include "host/qt/qt_guard.h"
#include "host/qt/qt_program.h"

int main(int argc, char* argv[]) {
    const qt_host::DisplayChoice display = qt_host::prepare_display();
    if (!display.has_display) {
        std::fputs(
            "ontopview: 画面（ディスプレイ）が見つかりません。DISPLAY を設定してください。\n"
            "ontopview: no display found; set DISPLAY (or run scripts/run.sh, which can use a "
            "virtual display).\n",
            stderr);
        return 1;
    }
    QApplication application(argc, argv);
    return qt_host::run_guarded([&] {
        QApplication::setApplicationName(QStringLiteral("ontopview"));
        QApplication::setDesktopFileName(QStringLiteral("ontopview"));
        // Built in rather than looked up in the icon theme, which costs a fifth of start-up.
        QIcon icon;
        for (const int size : {16, 32, 48, 64})
            icon.addFile(QStringLiteral(":/icons/ontopview-%1.png").arg(size), QSize(size, size));
        QApplication::setWindowIcon(icon);
        qt_host::keep_settings_off_disk();
        const auto translator = qt_host::install_japanese_translations();

        qt_host::QtProgram program(display.can_stay_on_top);
        program.start();
        return QApplication::exec();
    });
}
