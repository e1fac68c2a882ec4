// The VB-style filter string turned into QFileDialog name filters.
#include <gtest/gtest.h>

#include "core/viewer/open_command.h"
#include "platform/qt/qt_filter.h"
#include "platform/qt/qt_strings.h"

namespace {

TEST(FilterTest, EntriesKeepTheirLabelsAndListTheirPatterns) {
    struct Case {
        QString filter;
        QStringList expected;
    };
    const Case cases[] = {
        {platform::qt::qstring_from_u16(viewer::open_filter),
         {QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt,*.ini) (*.txt *.ini)"),
          QStringLiteral("HTMLﾌｧｲﾙ(*.htm) (*.htm)"), QStringLiteral("すべてのﾌｧｲﾙ(*.*) (*)")}},
        {QStringLiteral("A|*.a; *.b ;|B"), {QStringLiteral("A (*.a *.b)")}},
        {QString(), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::qt::name_filters_from_filter(c.filter), c.expected)
            << c.filter.toStdString();
    }
}

}  // namespace
