#pragma once

#include <string>
#include <vector>

typedef struct _AtspiAccessible AtspiAccessible;

namespace keyferry::atspi {

/// What the page around `focused` (its web document; outside a web page, its window) announces
/// as wrong, in document order: the text of each alert and of each element whose class names an
/// error ("errorlist", "has-error", "invalid-feedback"); where there are none, each field marked
/// as holding an invalid entry that holds text, by its name. Text in an element no toolkit
/// exposes (a plain span) is not seen. A fresh form's required fields are marked
/// invalid while empty: those say nothing of what was sent. Alerts whose class names a success
/// are not errors (toolkits give "saved" banners the alert role too).
std::vector<std::string> announcedErrors(AtspiAccessible* focused);

} // namespace keyferry::atspi
