#pragma once

#include <QLocale>

class QCoreApplication;

namespace keyferry {

/// Installs the translations of the window for `locale` (by default the user's, from
/// LANGUAGE, LC_ALL, LC_MESSAGES and LANG): Keyferry's own, built into the program, and Qt's
/// for its standard dialogs where the system has them. English needs none. Returns whether a
/// translation of Keyferry's texts was found for the locale.
bool installTranslations(QCoreApplication& application, const QLocale& locale = QLocale::system());

} // namespace keyferry
