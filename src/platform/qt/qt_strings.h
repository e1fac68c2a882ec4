// Text between the core's std::u16string and Qt's QString, both UTF-16: no re-encoding.
#pragma once

#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace platform::qt {

QString qstring_from_u16(std::u16string_view text);
std::u16string u16_from_qstring(const QString& text);
// The same units, not copied; valid while the text is.
std::u16string_view u16_view(QStringView text);

}  // namespace platform::qt
