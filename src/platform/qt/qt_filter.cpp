// Filter string parsing for QFileDialog.
#include "platform/qt/qt_filter.h"

namespace platform::qt {

QStringList name_filters_from_filter(const QString& filter) {
    const QStringList fields = filter.split(QLatin1Char('|'));
    QStringList name_filters;
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : fields[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = pattern.trimmed();
            patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
        }
        name_filters << fields[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                            QLatin1Char(')');
    }
    return name_filters;
}

}  // namespace platform::qt
