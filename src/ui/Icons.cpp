#include "ui/Icons.h"

#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPixmap>

#include <map>
#include <string>

// Resources in a static library are linked only when something refers to them.
static void initializeResources() {
    Q_INIT_RESOURCE(keyferry);
}

namespace keyferry {

namespace {

struct Symbol {
    const char* themeName; ///< the freedesktop icon name
    const char* glyph;     ///< drawn when the theme has none
};

const std::map<std::string, Symbol, std::less<>>& symbols() {
    static const std::map<std::string, Symbol, std::less<>> table = {
        {"plus", {"list-add", "+"}},
        {"trash", {"edit-delete", "\u2716"}},
        {"square.and.arrow.down", {"document-save", "\u2193"}},
        {"square.and.arrow.up", {"document-export", "\u2191"}},
        {"doc.on.clipboard", {"edit-copy", "\u2750"}},
        {"chevron.up", {"go-up", "\u02C4"}},
        {"chevron.down", {"go-down", "\u02C5"}},
        {"exclamationmark.triangle.fill", {"dialog-warning", "\u26A0"}},
        {"play", {"media-playback-start", "\u25B7"}},
        {"play.fill", {"media-playback-start", "\u25B6"}},
        {"stop.fill", {"media-playback-stop", "\u25A0"}},
        {"pause", {"media-playback-pause", "\u2016"}},
        {"hand.tap.fill", {"input-mouse", "\u261D"}},
        {"hand.tap", {"input-mouse", "\u261D"}},
        {"checkmark.circle.fill", {"emblem-ok", "\u2714"}},
        {"circle.fill", {"media-record", "\u25CF"}},
        {"hand.raised.fill", {"dialog-password", "\u261D"}},
        {"1.circle.fill", {"", "\u2460"}},
        {"2.circle.fill", {"", "\u2461"}},
        {"3.circle.fill", {"", "\u2462"}},
        {"character.textbox", {"insert-text", "T"}},
        {"arrow.right.to.line", {"go-last", "\u21E5"}},
        {"arrow.right.to.line.compact", {"go-last", "\u21E5"}},
        {"return", {"format-justify-left", "\u23CE"}},
        {"delete.left", {"edit-clear", "\u232B"}},
        {"arrow.up.arrow.down", {"view-sort", "\u21C5"}},
        {"cursorarrow.click", {"input-mouse", "\u27B6"}},
        {"questionmark.circle", {"help-contents", "?"}},
        {"ant", {"tools-check-spelling", "\u2699"}},
        {"record.circle", {"media-record", "\u25C9"}},
        {"line.3.horizontal", {"", "\u2261"}},
        {"pin", {"", "\u25CB"}},
        {"pin.fill", {"", "\u25CF"}},
        {"scope", {"", "\u25CE"}},
        {"xmark.circle", {"edit-clear", "\u2715"}},
        {"minus.circle.fill", {"list-remove", "\u2212"}},
        {"forward.frame.fill", {"media-skip-forward", "\u00BB"}},
        {"chevron.right", {"go-next", "\u203A"}},
        {"arrow.clockwise", {"view-refresh", "\u21BB"}},
        {"text.cursor", {"", "I"}},
    };
    return table;
}

QPixmap glyphPixmap(const QString& glyph, const QColor& colour, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = QGuiApplication::font();
    font.setPixelSize(size * 3 / 4);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return pixmap;
}

} // namespace

QIcon symbolIcon(std::string_view symbol, const QColor& tint) {
    const auto found = symbols().find(symbol);
    const QColor colour =
        tint.isValid() ? tint : QGuiApplication::palette().color(QPalette::ButtonText);
    if (found == symbols().end())
        return QIcon(glyphPixmap(QStringLiteral("\u2022"), colour, 32));
    QIcon fallback;
    for (int size : {16, 24, 32, 48})
        fallback.addPixmap(glyphPixmap(QString::fromUtf8(found->second.glyph), colour, size));
    // A tinted icon says something by its colour (orange warning, green check): keep ours.
    if (tint.isValid() || !*found->second.themeName)
        return fallback;
    return QIcon::fromTheme(QString::fromLatin1(found->second.themeName), fallback);
}

QIcon applicationIcon() {
    static const bool initialized = (initializeResources(), true);
    (void)initialized;
    QIcon icon(QStringLiteral(":/keyferry/AppIcon.svg"));
    return icon.isNull() ? QIcon::fromTheme(QStringLiteral("keyferry")) : icon;
}

} // namespace keyferry
