// The VB-style filter string turned into QFileDialog name filters.
#include <gtest/gtest.h>

#include "host/qt/qt_filter.h"
#include "host/qt/qt_strings.h"
#include "viewer/open_command.h"

namespace {

TEST(FilterTest, EntriesKeepTheirLabelsAndListTheirPatterns) {
    struct Case {
        QString filter;
        QStringList expected;
    };
    const Case cases[] = {
        {qt_host::qstring_from_u16(viewer::open_filter),
         {QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt,*.ini) (*.txt *.ini)"),
          QStringLiteral("HTMLﾌｧｲﾙ(*.htm) (*.htm)"), QStringLiteral("すべてのﾌｧｲﾙ(*.*) (*)")}},
        {QStringLiteral("A|*.a; *.b ;|B"), {QStringLiteral("A (*.a *.b)")}},
        {QString(), {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qt_host::name_filters_from_filter(c.filter), c.expected)
            << c.filter.toStdString();
    }
}

}  // namespace
