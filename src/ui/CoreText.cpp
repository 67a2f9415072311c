#include "ui/CoreText.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <array>
#include <vector>

namespace keyferry {

namespace {

constexpr const char* context = "keyferry::CoreText";

// Texts the core shows whole: the display names of its enumerations and its fixed messages.
// Listed here so that lupdate finds them; looked up by their English text.
[[maybe_unused]] constexpr std::array wholeTexts = {
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Text Input"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Tab"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Return"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Wait (Click)"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Pause"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Skip Tabs"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Select All & Clear"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Arrow Key"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Mouse Click"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Up"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Down"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Left"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Right"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Single"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Double"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Target app not found!"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Target app no longer in foreground"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Paused: keyboard or mouse used"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Accessibility permission revoked!"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Stopped"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Waiting for click..."),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Debug cancelled"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Debug complete"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Could not activate target app!"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "Waiting for your permission to type: answer the desktop's question "
                      "(“Allow remote interaction”)."),
    // How a table was read, and why it was not.
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Separated by semicolons"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Separated by commas"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Separated by tabs"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Separated by pipes (|)"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Pasted rows, separated by tabs"),
    // What an ambiguous header line could be separated by, listed in a note.
    QT_TRANSLATE_NOOP("keyferry::CoreText", "semicolons"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "commas"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "tabs"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "pipes (|)"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Invalid configuration"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Invalid input"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "Stream failure"),
    QT_TRANSLATE_NOOP("keyferry::CoreText",
                      "The clipboard holds no rows. Copy the cells in the spreadsheet, header "
                      "row included."),
};

// The words between a list's items, listed for lupdate.
struct Joint {
    const char* source;
    const char* comment;
};
[[maybe_unused]] constexpr Joint listJoints[] = {
    QT_TRANSLATE_NOOP3("keyferry::CoreText", ", ", "a joint of a list"),
    QT_TRANSLATE_NOOP3("keyferry::CoreText", " or ", "the last joint of a list"),
};

// The row statuses of a run's journal, as the results list names them.
constexpr std::array rowStatusTexts = {
    QT_TRANSLATE_NOOP("keyferry::CoreText", "entered"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "verified"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "mismatch"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "paused"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "stopped"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "failed"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "wrong field"),
    QT_TRANSLATE_NOOP("keyferry::CoreText", "refused"),
};

// A captured part of a pattern, for the sets below: part(1) | part(3).
constexpr unsigned part(int n) {
    return 1u << n;
}

// A message the core composes: the English pattern, and the text whose %1, %2... take the
// captured parts. The parts in `nested` are core texts themselves, translated in turn; those
// in `list` are lists of them ("a, b or c"); those in `explained` say what a desktop lacks
// ("“click” is missing: WHY. What you can do: REMEDY."); the part numbered `count` picks the
// plural form (%n) of a text marked with QT_TRANSLATE_N_NOOP.
struct Pattern {
    const char* english;
    const char* text;
    unsigned nested = 0;
    unsigned list = 0;
    int count = 0;
    unsigned explained = 0;
};

const std::vector<Pattern> patterns = {
    {"Row (\\d+)/(\\d+) ✓", QT_TRANSLATE_NOOP("keyferry::CoreText", "Row %1/%2 ✓")},
    {"Could not send keyboard input at row (\\d+): (.*)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Could not send keyboard input at row %1: %2")},
    {"Could not send mouse input at row (\\d+): (.*)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Could not send mouse input at row %1: %2")},
    {"Could not send keyboard input: (.*)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Could not send keyboard input: %1")},
    {"Could not send mouse input: (.*)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Could not send mouse input: %1")},
    {"Keyferry may not type here: (.*)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Keyferry may not type here: %1")},
    {"Expected field (.+), but the focus is on (.+)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Expected field %1, but the focus is on %2")},
    {"Expected field (.+), but no field has the focus",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Expected field %1, but no field has the focus")},
    {"Entry (\\d+) refused: the application sent the form back with its values",
     QT_TRANSLATE_NOOP("keyferry::CoreText",
                       "Entry %1 refused: the application sent the form back with its values")},
    {"Entry (\\d+) refused: (.*)", QT_TRANSLATE_NOOP("keyferry::CoreText", "Entry %1 refused: %2")},
    {"Field (.+) did not come within (\\S+) s",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Field %1 did not come within %2 s")},
    {"Field \"(.*)\" shows \"(.*)\", expected \"(.*)\"",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Field \"%1\" shows \"%2\", expected \"%3\"")},
    {"The field shows \"(.*)\", expected \"(.*)\"",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "The field shows \"%1\", expected \"%2\"")},
    {"Error at step (\\d+)! (.*)", QT_TRANSLATE_NOOP("keyferry::CoreText", "Error at step %1! %2"),
     part(2)},
    {"Step (\\d+)/(\\d+): (.+?) → \"(.*)\" in field (.+)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Step %1/%2: %3 → \"%4\" in field %5"), part(3)},
    {"Step (\\d+)/(\\d+): (.+?) → \"(.*)\"",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Step %1/%2: %3 → \"%4\""), part(3)},
    {"Step (\\d+)/(\\d+): (.+?) in field (.+)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Step %1/%2: %3 in field %4"), part(3)},
    {"Step (\\d+)/(\\d+): (.+)", QT_TRANSLATE_NOOP("keyferry::CoreText", "Step %1/%2: %3"),
     part(3)},
    {"CSV has (\\d+) columns, template expects (\\d+): (.*)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "CSV has %1 columns, template expects %2: %3")},
    {"Column names don't match: (.*)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "Column names don't match: %1")},
    {"Import failed: (.*)", QT_TRANSLATE_NOOP("keyferry::CoreText", "Import failed: %1"), part(1)},
    {"Paste failed: (.*)", QT_TRANSLATE_NOOP("keyferry::CoreText", "Paste failed: %1"), part(1)},
    {"Export failed: (.*)", QT_TRANSLATE_NOOP("keyferry::CoreText", "Export failed: %1")},
    {"Read as semicolon-separated: the header line could be separated by (.+)",
     QT_TRANSLATE_NOOP("keyferry::CoreText",
                       "Read as semicolon-separated: the header line could be separated by %1"),
     0, part(1)},
    {"(\\d+) cells? shows? (?:its|their) stored value \\(format not supported\\): (.+)",
     QT_TRANSLATE_N_NOOP("keyferry::CoreText",
                         "%n cell(s) show their stored value (format not supported): %2"),
     part(2), 0, 1},
    {"(.+) and (\\d+) more", QT_TRANSLATE_NOOP("keyferry::CoreText", "%1 and %2 more")},
    {"\\.\\.\\. and (\\d+) more", QT_TRANSLATE_NOOP("keyferry::CoreText", "... and %1 more")},
    {"(.+?): format \"(.*)\"", QT_TRANSLATE_NOOP("keyferry::CoreText", "%1: format \"%2\"")},
    {"about (\\d+) s left", QT_TRANSLATE_NOOP("keyferry::CoreText", "about %1 s left")},
    {"about (\\d+) min left", QT_TRANSLATE_NOOP("keyferry::CoreText", "about %1 min left")},
    {"about (\\d+) h (\\d+) min left",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "about %1 h %2 min left")},
    // What a desktop lacks (see DesktopTexts.cpp), with a detail known only at run time.
    {"GNOME on Wayland lets applications type only through the desktop portal, which does not "
     "answer \\((.*)\\)",
     QT_TRANSLATE_NOOP("keyferry::CoreText",
                       "GNOME on Wayland lets applications type only through the desktop portal, "
                       "which does not answer (%1)")},
    {"Keyferry's GNOME Shell extension is not running \\((.*)\\)",
     QT_TRANSLATE_NOOP("keyferry::CoreText",
                       "Keyferry's GNOME Shell extension is not running (%1)")},
    {"the desktop portal places clicks only within a screen cast, which Keyferry does not ask "
     "for, or through libei, which failed: (.*)",
     QT_TRANSLATE_NOOP("keyferry::CoreText",
                       "the desktop portal places clicks only within a screen cast, which "
                       "Keyferry does not ask for, or through libei, which failed: %1")},
    {"the compositor refused the virtual keyboard \\((.*)\\)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "the compositor refused the virtual keyboard (%1)")},
    {"This step cannot run on this desktop \\(([^()]+)\\)\\. (.+)",
     QT_TRANSLATE_NOOP("keyferry::CoreText", "This step cannot run on this desktop (%1). %2"),
     part(1), 0, 0, part(2)},
    {"Not started: step (\\d+) \\((.+?)\\) cannot run on this desktop \\(([^()]+)\\)\\. (.+)",
     QT_TRANSLATE_NOOP("keyferry::CoreText",
                       "Not started: step %1 (%2) cannot run on this desktop (%3). %4"),
     part(2) | part(3), 0, 0, part(4)},
};

// Fills %1..%9 in one pass, so that a part holding "%2" stays as it is.
QString filled(const QString& text, const QStringList& parts) {
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int n = i + 1 < text.size() ? text[i + 1].digitValue() : -1;
        if (text[i] == QLatin1Char('%') && n >= 1 && n <= parts.size()) {
            result += parts[n - 1];
            ++i;
        } else {
            result += text[i];
        }
    }
    return result;
}

const std::vector<QRegularExpression>& compiledPatterns() {
    static const std::vector<QRegularExpression> compiled = [] {
        std::vector<QRegularExpression> list;
        for (const Pattern& p : patterns)
            list.emplace_back(QRegularExpression::anchoredPattern(QString::fromUtf8(p.english)));
        return list;
    }();
    return compiled;
}

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "a, b or c": each item translated, and the words between them.
QString translatedList(const QString& list) {
    const QString lastJoint = QStringLiteral(" or ");
    const qsizetype last = list.lastIndexOf(lastJoint);
    QStringList items = (last < 0 ? list : list.left(last)).split(QStringLiteral(", "));
    if (last >= 0)
        items << list.mid(last + lastJoint.size());
    QString joined;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            joined += i + 1 == items.size()
                          ? QCoreApplication::translate(context, " or ", "the last joint of a list")
                          : QCoreApplication::translate(context, ", ", "a joint of a list");
        joined += translatedCoreText(items[i].toStdString());
    }
    return joined;
}

// "“NAME” is missing: WHY. What you can do: REMEDY." once or more, each part translated. A
// text of another shape stays as it is.
QString translatedExplanation(const QString& explanation) {
    static const QRegularExpression item(
        QStringLiteral("“([^”]+)” is missing: (.+?)\\. What you can do: (.+?)\\.(?: (?=“)|$)"));
    QStringList sentences;
    qsizetype covered = 0;
    for (auto it = item.globalMatch(explanation); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.capturedStart() != covered)
            return explanation;
        covered = match.capturedEnd();
        sentences << filled(
            QCoreApplication::translate(context, "“%1” is missing: %2. What you can do: %3."),
            {translatedCoreText(match.captured(1).toStdString()),
             translatedCoreText(match.captured(2).toStdString()),
             translatedCoreText(match.captured(3).toStdString())});
    }
    return covered == explanation.size() ? sentences.join(u' ') : explanation;
}

} // namespace

QString translatedCoreText(std::string_view english) {
    const QString text = fromUtf8(english);
    const std::string whole(english);
    const QString translated = QCoreApplication::translate(context, whole.c_str());
    if (translated != text)
        return translated;
    for (std::size_t p = 0; p < patterns.size(); ++p) {
        const QRegularExpressionMatch match = compiledPatterns()[p].match(text);
        if (!match.hasMatch())
            continue;
        const Pattern& pattern = patterns[p];
        QStringList parts;
        for (int i = 1; i <= match.lastCapturedIndex(); ++i) {
            const QString captured = match.captured(i);
            if (pattern.nested & part(i))
                parts << translatedCoreText(captured.toStdString());
            else if (pattern.list & part(i))
                parts << translatedList(captured);
            else if (pattern.explained & part(i))
                parts << translatedExplanation(captured);
            else
                parts << captured;
        }
        const int n = pattern.count ? match.captured(pattern.count).toInt() : -1;
        return filled(QCoreApplication::translate(context, pattern.text, nullptr, n), parts);
    }
    return text;
}

QString displayText(RowStatus status) {
    return QCoreApplication::translate(context, rowStatusTexts[static_cast<std::size_t>(status)]);
}

} // namespace keyferry
