#include "ui/AppSettings.h"

#include <QSettings>

namespace keyferry {

namespace {

QSettings store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Keyferry"),
                     QStringLiteral("Keyferry"));
}

const QString pauseKey = QStringLiteral("run/pauseOnUserInput");

} // namespace

bool AppSettings::pauseOnUserInput() {
    return store().value(pauseKey, true).toBool();
}

void AppSettings::setPauseOnUserInput(bool pause) {
    QSettings settings = store();
    settings.setValue(pauseKey, pause);
    settings.sync();
}

} // namespace keyferry
