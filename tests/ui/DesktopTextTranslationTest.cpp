// What a desktop lacks is said by the platform code in English; the window must say it in the
// user's language, reason by reason, however the platform words and combines them.

#include <QApplication>
#include <QLabel>
#include <QTranslator>

#include "automation/DesktopDescription.h"
#include "automation/StepNeeds.h"
#include "ui/CapabilityNoticeView.h"
#include "ui/CoreText.h"
#include "ui/Translations.h"

#if KEYFERRY_TEST_WAYLAND_TEXTS
#include "platform/wayland/WaylandCapabilities.h"
#endif

#include <gtest/gtest.h>

using namespace keyferry;

namespace {

class DesktopTextTranslation : public ::testing::Test {
protected:
    void TearDown() override {
        for (auto* translator : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
};

/// The desktops as the platforms describe them when something is missing.
std::vector<DesktopDescription> describedDesktops() {
    std::vector<DesktopDescription> descriptions = {
        describeX11(false),
        describeUnreachable(DesktopKind::unknown, "this desktop is not one Keyferry knows")};
#if KEYFERRY_TEST_WAYLAND_TEXTS
    using wayland::WaylandFacts;
    WaylandFacts gnome; // nothing answers: no portal, no extension, no accessibility bus
    gnome.currentDesktop = "GNOME";
    gnome.keyboardProblem = "the compositor offers no virtual keyboard to applications";
    gnome.pointerProblem = "the compositor offers no virtual pointer to applications";
    gnome.windowsProblem = "no sway IPC socket (SWAYSOCK is not set)";
    gnome.gnomeShellProblem = "org.freedesktop.DBus.Error.ServiceUnknown";
    descriptions.push_back(wayland::describeWayland(gnome));
    WaylandFacts portal = gnome; // the portal types; the extension is off
    portal.portalInput = true;
    portal.portalRoute = "keysyms";
    portal.pointerProblem =
        "the desktop portal places clicks only within a screen cast, which Keyferry does not "
        "ask for";
    portal.focusFollowed = true;
    descriptions.push_back(wayland::describeWayland(portal));
    WaylandFacts kde;
    kde.currentDesktop = "KDE";
    kde.kwinScript = true;
    kde.keyboardProblem = gnome.keyboardProblem;
    kde.pointerProblem = gnome.pointerProblem;
    kde.focusFollowed = true;
    descriptions.push_back(wayland::describeWayland(kde));
    WaylandFacts sway; // started outside the sway session
    sway.currentDesktop = "sway";
    sway.wlrootsProtocols = true;
    sway.windowsProblem = "no sway IPC socket (SWAYSOCK is not set)";
    descriptions.push_back(wayland::describeWayland(sway));
    WaylandFacts wlroots = sway; // windows known, without positions or processes
    wlroots.windowsProblem.reset();
    wlroots.focusFollowed = true;
    descriptions.push_back(wayland::describeWayland(wlroots));
#endif
    return descriptions;
}

QStringList lineTexts(const CapabilityNoticeView& view) {
    QStringList texts;
    for (const QLabel* line : view.lines())
        texts << line->text();
    return texts;
}

} // namespace

TEST_F(DesktopTextTranslation, EveryReasonAndRemedyOfEveryDesktopIsTranslated) {
    const auto descriptions = describedDesktops();
    for (const QLocale& locale :
         {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::France),
          QLocale(QLocale::Spanish, QLocale::Spain), QLocale(QLocale::Russian, QLocale::Russia)}) {
        SCOPED_TRACE(locale.name().toStdString());
        ASSERT_TRUE(installTranslations(*qApp, locale));
        QStringList untranslated;
        const auto check = [&](std::string_view english) {
            if (translatedCoreText(english) == QString::fromUtf8(english.data(), english.size()))
                untranslated << QString::fromUtf8(english.data(), english.size());
        };
        for (const DesktopDescription& description : descriptions) {
            if (description.kind == DesktopKind::unknown ||
                description.kind == DesktopKind::otherWlroots)
                check(desktopName(description.kind));
            for (const CapabilityState& state : description.capabilities) {
                check(capabilityName(state.capability));
                if (state.available)
                    continue;
                check(state.why);
                check(state.remedy);
            }
        }
        untranslated.removeDuplicates();
        EXPECT_TRUE(untranslated.isEmpty()) << untranslated.join(u'\n').toStdString();
        TearDown();
    }
}

// The notice joins capabilities that lack the same thing into one line; each part is
// translated and the line is composed in the language's own words.
TEST_F(DesktopTextTranslation, NoticeComposesItsLinesFromTranslatedParts) {
    ASSERT_TRUE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
    CapabilityNoticeView view(false, nullptr);
    view.show(capabilityNotice(describeX11(false)));
    EXPECT_EQ(view.title()->text(), QStringLiteral("Auf dieser Arbeitsumgebung nicht verfügbar "
                                                   "(X11)"));
    const QStringList lines = lineTexts(view);
    ASSERT_EQ(lines.size(), 1) << "one reason, one line";
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral(
        "Text der Tastaturbelegung tippen, beliebigen Text tippen, klicken, Fenster auflisten")))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral(
        ": dem X-Server fehlt XTest oder XInput2, oder die Hilfstechnologien sind "
        "ausgeschaltet. Was Sie tun können: schalten Sie die Hilfstechnologien "
        "(Barrierefreiheit) in den Einstellungen der Arbeitsumgebung ein und melden Sie sich "
        "neu an.")))
        << lines[0].toStdString();
    EXPECT_EQ(view.lines()[0]->toolTip(),
              QStringLiteral("Was Sie tun können: schalten Sie die Hilfstechnologien "
                             "(Barrierefreiheit) in den Einstellungen der Arbeitsumgebung ein "
                             "und melden Sie sich neu an"));

    // A reason holding a detail of its own keeps the detail, even one that looks like "%1".
    DesktopDescription odd = describeAllExcept(DesktopKind::simulated, {});
    odd.capabilities[0] = {Capability::typeLayoutText,
                           false,
                           "Keyferry's GNOME Shell extension is not running (100%1 busy)",
                           "use a desktop that offers it",
                           {}};
    view.show(capabilityNotice(odd));
    EXPECT_EQ(lineTexts(view),
              QStringList{QStringLiteral(
                  "Text der Tastaturbelegung tippen: Keyferrys GNOME-Shell-Erweiterung läuft "
                  "nicht (100%1 busy). Was Sie tun können: verwenden Sie eine "
                  "Arbeitsumgebung, die das bietet.")});
}

// A step the desktop cannot run says so in the editor and when a run is refused: the
// sentences of every missing capability translated, step types with parentheses kept whole.
TEST_F(DesktopTextTranslation, StepWarningsAndRefusalsAreTranslatedSentenceBySentence) {
    ASSERT_TRUE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
    std::map<Capability, std::string> missing = {
        {Capability::click, "the compositor offers no virtual pointer to applications"},
        {Capability::windowBounds, "this compositor tells applications no window positions"},
        {Capability::watchClicks,
         "no Wayland compositor lets an application see clicks made in other applications"}};
    const DesktopDescription description = describeAllExcept(DesktopKind::otherWlroots, missing);
    Step click = Step::ofType(StepType::mouseClick);
    click.mousePositionX = 10;
    click.mousePositionY = 20;
    const auto warning = stepWarning(click, description);
    ASSERT_TRUE(warning);
    EXPECT_EQ(translatedCoreText(*warning),
              QStringLiteral(
                  "Dieser Schritt kann auf dieser Arbeitsumgebung nicht laufen (anderer "
                  "wlroots-Compositor). „klicken“ fehlt: der Compositor bietet Anwendungen "
                  "keinen virtuellen Zeiger an. Was Sie tun können: verwenden Sie eine "
                  "Arbeitsumgebung, die das bietet. „Fenstergrenzen“ fehlt: dieser Compositor "
                  "teilt Anwendungen keine Fensterpositionen mit. Was Sie tun können: verwenden "
                  "Sie eine Arbeitsumgebung, die das bietet."));

    Template item;
    item.steps = {Step::ofType(StepType::tab), Step::ofType(StepType::wait)};
    const auto refusal = runRefusal(item, description);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(translatedCoreText(*refusal),
              QStringLiteral("Nicht gestartet: Schritt 2 (Warten (Klick)) kann auf dieser "
                             "Arbeitsumgebung nicht laufen (anderer wlroots-Compositor). „Klicks "
                             "des Benutzers sehen“ fehlt: kein Wayland-Compositor lässt eine "
                             "Anwendung Klicks in anderen Anwendungen sehen. Was Sie tun können: "
                             "verwenden Sie eine Arbeitsumgebung, die das bietet."));

    // A reason no translation knows keeps the sentence around it translated.
    const auto unknown = stepWarning(
        click, describeAllExcept(DesktopKind::simulated, {{Capability::click, "w.x. broke"}}));
    ASSERT_TRUE(unknown);
    EXPECT_EQ(translatedCoreText(*unknown),
              QStringLiteral("Dieser Schritt kann auf dieser Arbeitsumgebung nicht laufen "
                             "(simuliert). „klicken“ fehlt: w.x. broke. Was Sie tun können: "
                             "verwenden Sie eine Arbeitsumgebung, die das bietet."));
}
