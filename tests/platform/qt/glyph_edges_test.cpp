// The Qt text box measures text that needs no shaping from cached advances: the caret must still
// land where Qt lays each character out, and the glyphs must be drawn where they were measured.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextLayout>
#include <cstdlib>
#include <vector>

#include "scintilla_box.h"

namespace {

using qt_test::ScintillaBox;

// The box's font as Qt resolves it on the box.
QFont box_font(const ScintillaBox& box) {
    QFont font(QApplication::font().family());
    font.setPointSize(12);
    return QFont(font, const_cast<ScintillaBox&>(box).widget().viewport());
}

// How much ink each column of the image holds.
std::vector<int> column_ink(const QImage& image) {
    std::vector<int> ink(static_cast<std::size_t>(image.width()));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ink[static_cast<std::size_t>(x)] += 255 - qGray(image.pixel(x, y));
    }
    return ink;
}

TEST(GlyphEdgesTest, TheCaretAfterEachCharacterIsWhereQtLaysItOut) {
    // Each run a style of its own, so each is measured on its own as Scintilla measures runs;
    // some need no shaping and are measured from cached advances, the rest by Qt's layout.
    const QString runs[] = {
        QStringLiteral("AVATAR To Wave, 0123."),   // kerned pairs
        QStringLiteral("かなカナ。ア。「引用」"),  // kana and punctuation, some kerned
        QStringLiteral("日本語の漢字𠮷野"),        // kanji, one outside the basic plane
        QStringLiteral("ｶﾀｶﾅ ＡＢＣ"),             // half- and full-width forms
        QStringLiteral("😀👍🏽"),            // emoji, one with a skin tone
        QStringLiteral("e\u0301te\u0301"),         // combining accents
        QStringLiteral("مرحبا بالعالم"),           // Arabic, shaped right to left
        QStringLiteral("ภาษาไทย"),                 // Thai, with its marks
        QStringLiteral("Ελληνικά кириллица"),      // Greek and Cyrillic
    };
    ScintillaBox box(640, 120);
    QString text;
    for (const QString& run : runs)
        text += run;
    box.set_text(text);
    box.send(SCI_STARTSTYLING, 0);
    for (std::size_t i = 0; i < std::size(runs); ++i)
        box.send(SCI_SETSTYLING, static_cast<uptr_t>(runs[i].toUtf8().size()), 1 + i % 2);

    const QFont font = box_font(box);
    double run_left = static_cast<double>(box.send(SCI_POINTXFROMPOSITION, 0, 0));
    int run_start = 0;
    for (const QString& run : runs) {
        QTextLayout layout(run, font);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        // A run starts where the one before ends, even one laid out right to left.
        for (int offset = 0; offset <= run.size(); ++offset) {
            if (offset < run.size() && run[offset].isLowSurrogate())
                continue;
            SCOPED_TRACE(run.toStdString() + " at " + std::to_string(offset));
            const auto caret_x =
                box.send(SCI_POINTXFROMPOSITION, 0, box.position_of(run_start + offset));
            const double expected = run_left + (offset > 0 ? line.cursorToX(offset) : 0.0);
            EXPECT_NEAR(static_cast<double>(caret_x), expected, 1.0);
        }
        run_left += line.cursorToX(static_cast<int>(run.size()));
        run_start += static_cast<int>(run.size());
    }
}

TEST(GlyphEdgesTest, GlyphsAreDrawnWhereQtDrawsThem) {
    // Kerned Latin, kana and kanji from the fallback font, in one run that needs no shaping.
    const QString text = QStringLiteral("AVATAR Wave To, 日本語のテキスト。かなカナ ｶﾀｶﾅ");
    ScintillaBox box(640, 60);
    box.send(SCI_SETCARETSTYLE, CARETSTYLE_INVISIBLE);
    box.set_text(text);
    const QImage drawn = box.widget().viewport()->grab().toImage();

    QImage expected(drawn.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter painter(&expected);
        painter.setFont(box_font(box));
        painter.setPen(Qt::black);
        painter.drawText(QPointF(static_cast<double>(box.send(SCI_POINTXFROMPOSITION, 0, 0)), 30),
                         text);
    }
    // The same ink in each column, but for rounding in the rasterizer.
    const std::vector<int> drawn_ink = column_ink(drawn);
    const std::vector<int> expected_ink = column_ink(expected);
    long total = 0;
    long differing = 0;
    for (std::size_t x = 0; x < drawn_ink.size(); ++x) {
        total += expected_ink[x];
        differing += std::abs(drawn_ink[x] - expected_ink[x]);
    }
    EXPECT_GT(total, 50000);
    EXPECT_LT(differing, total / 50) << "of " << total;
}

}  // namespace
