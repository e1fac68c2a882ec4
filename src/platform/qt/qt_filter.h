// The dialog's "label|pattern|label|pattern…" filter string as QFileDialog name filters.
#pragma once

#include <QString>
#include <QStringList>

namespace platform::qt {

// Each entry becomes "label (patterns)", the patterns space-separated; "*.*" lists every file,
// as it does on Windows, so it becomes "*". A trailing label without a pattern is dropped.
QStringList name_filters_from_filter(const QString& filter);

}  // namespace platform::qt
