// Display choice, settings and translations for the Linux program.
#include "platform/qt/qt_environment.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>

namespace platform::qt {

DisplayChoice choose_display(const DisplayEnvironment& environment) {
    DisplayChoice choice;
    if (environment.qt_platform) {
        const std::string_view platform = *environment.qt_platform;
        choice.has_display = true;
        choice.can_stay_on_top = !platform.starts_with("wayland");
        return choice;
    }
    if (environment.x11) {
        choice = {.has_display = true, .platform = "xcb", .can_stay_on_top = true};
    } else if (environment.wayland) {
        choice = {.has_display = true, .platform = std::nullopt, .can_stay_on_top = false};
    }
    return choice;
}

DisplayChoice prepare_display() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const DisplayChoice choice = choose_display({
        .qt_platform = qEnvironmentVariableIsSet("QT_QPA_PLATFORM")
                           ? std::optional<std::string_view>(platform.constData())
                           : std::nullopt,
        .x11 = qEnvironmentVariableIsSet("DISPLAY"),
        .wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY"),
    });
    if (choice.platform)
        qputenv("QT_QPA_PLATFORM", QByteArray(choice.platform->data(),
                                              static_cast<qsizetype>(choice.platform->size())));
    return choice;
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

}  // namespace platform::qt
