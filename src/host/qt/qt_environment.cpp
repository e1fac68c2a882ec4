// Display choice, settings and translations for the Linux program.
#include "host/qt/qt_environment.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>

namespace qt_host {

bool prepare_display() {
    const bool has_platform = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const bool has_x11 = qEnvironmentVariableIsSet("DISPLAY");
    const bool has_wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
    if (!has_platform && has_x11)
        qputenv("QT_QPA_PLATFORM", "xcb");
    return has_platform || has_x11 || has_wayland;
}

void keep_settings_off_disk() {
    // Nothing can be created below /dev/null, so every write quietly fails and no file appears.
    for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
        QSettings::setPath(format, QSettings::UserScope, QStringLiteral("/dev/null/settings"));
        QSettings::setPath(format, QSettings::SystemScope, QStringLiteral("/dev/null/settings"));
    }
}

std::unique_ptr<QTranslator> install_japanese_translations() {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get())) {
        return nullptr;
    }
    return translator;
}

}  // namespace qt_host
