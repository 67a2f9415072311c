#pragma once

#include <QIcon>

#include <string_view>

namespace keyferry {

/// The icon for one of the symbol names the interface uses ("plus", "play.fill",
/// "character.textbox", ...): the icon theme's equivalent when the desktop has one, else a
/// glyph drawn by Keyferry itself, so no button is ever blank.
QIcon symbolIcon(std::string_view symbol, const QColor& tint = QColor());

/// Keyferry's own application icon.
QIcon applicationIcon();

} // namespace keyferry
