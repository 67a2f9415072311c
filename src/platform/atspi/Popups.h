#pragma once

#include <string>
#include <vector>

typedef struct _AtspiAccessible AtspiAccessible;

namespace keyferry::atspi {

/// The lists and menus the application of `focused` shows now outside its pages' content, each
/// by its bus name and object path: a suggestion list under a field (Chromium opens a window of
/// its own with a list box in it, Firefox shows a menu in its main window, GTK's entry
/// completion a window with a tree), or a menu. Only shown ones that take a selection: a closed
/// menu or a menu bar's entries are none. The focused field itself counts as one while it says
/// it is expanded (a page's own autocomplete widget, as ARIA has it).
std::vector<std::string> shownPopups(AtspiAccessible* focused);

} // namespace keyferry::atspi
