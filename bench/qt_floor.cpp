// The toolkit's floor for start-up: the least a Qt program does to show the program's two
// instruction lines in one QPlainTextEdit, timed beside the program by startup_bench.sh.
#include <QApplication>
#include <QPlainTextEdit>

#include "core/window/instruction_text.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QPlainTextEdit text;
    text.setWindowTitle(QStringLiteral("Form1"));
    text.setPlainText(QString::fromUtf16(window::instruction_text.data(),
                                         static_cast<qsizetype>(window::instruction_text.size())));
    // The program's client area at 96 dpi: 5910 x 4305 twips.
    text.resize(394, 287);
    text.show();
    return QApplication::exec();
}
