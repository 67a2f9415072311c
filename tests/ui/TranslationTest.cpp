#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QTranslator>

#include "UiSession.h"
#include "ui/CSVPanel.h"
#include "ui/CoreText.h"
#include "ui/StepTableModel.h"
#include "ui/StepTableView.h"
#include "ui/TemplateEditor.h"
#include "ui/Translations.h"

using namespace keyferry;
using namespace keyferry::testing;

namespace {

/// The window opened after the translations for a language were installed the way the
/// program installs them at start. The other tests in this process expect English, so the
/// translators go again at the end.
/// Every text a widget of `root` shows or says: labels, buttons, titles, tooltips, accessible
/// names and descriptions, placeholders, list entries, menus and table headers and cells.
QSet<QString> shownTexts(QWidget* root) {
    QSet<QString> texts;
    const auto add = [&](const QString& text) {
        if (!text.trimmed().isEmpty())
            texts.insert(text);
    };
    std::function<void(const QList<QAction*>&)> addActions = [&](const QList<QAction*>& actions) {
        for (const QAction* action : actions) {
            add(action->text());
            add(action->toolTip());
            add(action->statusTip());
            if (action->menu())
                addActions(action->menu()->actions());
        }
    };
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* widget : widgets) {
        add(widget->windowTitle());
        add(widget->toolTip());
        add(widget->accessibleName());
        add(widget->accessibleDescription());
        addActions(widget->actions());
        if (const auto* label = qobject_cast<QLabel*>(widget))
            add(label->text());
        if (const auto* button = qobject_cast<QAbstractButton*>(widget))
            add(button->text());
        if (const auto* box = qobject_cast<QGroupBox*>(widget))
            add(box->title());
        if (const auto* line = qobject_cast<QLineEdit*>(widget))
            add(line->placeholderText());
        if (const auto* combo = qobject_cast<QComboBox*>(widget))
            for (int i = 0; i < combo->count(); ++i)
                add(combo->itemText(i));
        if (const auto* tabs = qobject_cast<QTabWidget*>(widget))
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs->tabText(i));
        if (const auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
            const QAbstractItemModel* model = view->model();
            for (int column = 0; column < model->columnCount(); ++column) {
                add(model->headerData(column, Qt::Horizontal).toString());
                add(model->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString());
                for (int row = 0; row < std::min(model->rowCount(), 20); ++row) {
                    add(model->index(row, column).data().toString());
                    add(model->index(row, column).data(Qt::ToolTipRole).toString());
                }
            }
        }
    }
    return texts;
}

/// Whether a text reads as words of a language: two words or more once markup, accelerator
/// marks and numbers are gone. Single words (names, "CSV", "Tab") may be the same in English.
bool isProse(const QString& text) {
    QString plain = text;
    plain.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    plain.remove(u'&');
    const auto words =
        plain.split(QRegularExpression(QStringLiteral("[^\\p{L}]+")), Qt::SkipEmptyParts);
    return std::count_if(words.begin(), words.end(),
                         [](const QString& word) { return word.size() >= 2; }) >= 2;
}

class TranslationTest : public UiSession {
protected:
    void TearDown() override {
        window.reset();
        for (auto* translator : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    void openIn(const QLocale& locale) {
        ASSERT_TRUE(installTranslations(*qApp, locale)) << locale.name().toStdString();
        open();
        store->addTemplate();
        QApplication::processEvents();
    }
    QStringList menuTitles() const {
        QStringList titles;
        for (const QAction* action : window->menuBar()->actions())
            titles << action->text();
        return titles;
    }
    void useTextInputs() {
        detail().editDraft([](Template& item) {
            item.steps.clear();
            item.targetAppBundleID = "Yad";
            for (const char* label : {"Name", "City"}) {
                Step step = Step::ofType(StepType::textInput);
                step.label = label;
                item.steps.push_back(step);
            }
        });
    }
    QString loadRows(std::size_t rows) {
        std::string text = "Name;City\n";
        for (std::size_t i = 1; i <= rows; ++i)
            text += "n" + std::to_string(i) + ";c" + std::to_string(i) + "\n";
        const auto path = temp.path() / ("rows" + std::to_string(rows) + ".csv");
        writeText(path, text);
        csv().loadFile(QString::fromStdString(path.string()));
        return csv().counterButton()->text();
    }
    CSVPanel& csv() { return *detail().csvPanel(); }
};

} // namespace

TEST_F(TranslationTest, GermanWindowShowsGermanTexts) {
    openIn(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(menuTitles().contains(QStringLiteral("&Bearbeiten")))
        << menuTitles().join(u',').toStdString();
    EXPECT_TRUE(menuTitles().contains(QStringLiteral("&Hilfe")));
    EXPECT_EQ(window->pasteRowsAction()->text(), QStringLiteral("Zeilen &einfügen"));
    EXPECT_EQ(csv().importButton()->text(), QStringLiteral("CSV-Import"));
    EXPECT_TRUE(csv().importButton()->toolTip().startsWith(
        QStringLiteral("Eine CSV-Datei oder eine .xlsx- oder .ods-Arbeitsmappe laden")))
        << csv().importButton()->toolTip().toStdString();
    EXPECT_EQ(csv().copyButton()->accessibleName(),
              QStringLiteral("Kopfzeile in die Zwischenablage kopieren"));

    // The core's step type names pass through CoreText on their way into the step table.
    useTextInputs();
    const QAbstractItemModel* steps = detail().editor()->stepTable()->model();
    ASSERT_GE(steps->rowCount(), 1);
    EXPECT_EQ(steps->index(0, StepTableModel::type).data().toString(),
              QStringLiteral("Texteingabe"));

    // The header may abbreviate a caption; its tooltip keeps it whole.
    EXPECT_EQ(steps->headerData(StepTableModel::delay, Qt::Horizontal).toString(),
              QStringLiteral("Verz. (s)"));
    EXPECT_EQ(steps->headerData(StepTableModel::delay, Qt::Horizontal, Qt::ToolTipRole).toString(),
              QStringLiteral("Verzögerung (s)"));

    EXPECT_EQ(loadRows(1), QStringLiteral("1 Eintrag"));
    EXPECT_EQ(loadRows(5), QStringLiteral("5 Einträge"));
    EXPECT_EQ(csv().readLabel()->text(), QStringLiteral("Getrennt durch Semikolons"));
    EXPECT_EQ(csv().separatorBox()->currentText(), QStringLiteral("Automatisch"));

    // The core's validation message, its numbers and column names kept.
    writeText(temp.path() / "wide.csv", "Name;City;Zip\na;b;c\n");
    csv().loadFile(QString::fromStdString((temp.path() / "wide.csv").string()));
    EXPECT_EQ(csv().messageLabel()->accessibleName(),
              QStringLiteral("Die CSV-Datei hat 3 Spalten, die Vorlage erwartet 2: Name, City"));
}

// A text the window shows in English although a language is chosen was never marked for
// translation (or reaches the window past it): found by showing the same window in English and
// in each language and keeping the prose both show.
TEST_F(TranslationTest, NoProseOfTheWindowStaysEnglishInAnyLanguage) {
    const auto showAll = [&] {
        window->sidebar()->addButton()->click();
        QApplication::processEvents();
        useTextInputs();
        loadRows(3);
        QApplication::processEvents();
        QSet<QString> texts = shownTexts(window.get());
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top != window.get() && top->isVisible())
                texts.unite(shownTexts(top));
        return texts;
    };
    open();
    const QSet<QString> english = showAll();
    TearDown();
    ASSERT_GT(english.size(), 50);
    for (const QLocale& locale :
         {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::French, QLocale::France),
          QLocale(QLocale::Spanish, QLocale::Spain), QLocale(QLocale::Russian, QLocale::Russia)}) {
        SCOPED_TRACE(locale.name().toStdString());
        ASSERT_TRUE(installTranslations(*qApp, locale));
        store.reset();
        // The English window's template is the user's data now, named in English.
        std::filesystem::remove(temp.path() / "templates.json");
        open();
        QStringList untranslated;
        // The slogan plays on two made-up product names: it is the same in every language.
        const QSet<QString> kept = {QStringLiteral("Stop Quaytype."),
                                    QStringLiteral("Start Ferrytype.")};
        for (const QString& text : showAll())
            if (english.contains(text) && isProse(text) && !kept.contains(text))
                untranslated << text;
        untranslated.sort();
        EXPECT_TRUE(untranslated.isEmpty())
            << untranslated.join(QStringLiteral("\n")).toStdString();
        TearDown();
    }
}

// Notes the core composes from parts: a list of separators, a plural count, cell names kept.
TEST_F(TranslationTest, ComposedCoreNotesAreTranslatedWithTheirParts) {
    ASSERT_TRUE(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
    EXPECT_EQ(translatedCoreText("Read as semicolon-separated: the header line could be "
                                 "separated by semicolons, commas or tabs"),
              QStringLiteral("Als durch Semikolons getrennt gelesen: Die Kopfzeile könnte "
                             "getrennt sein durch Semikolons, Kommas oder Tabulatoren"));
    EXPECT_EQ(translatedCoreText("1 cell shows its stored value (format not supported): B2"),
              QStringLiteral("1 Zelle zeigt ihren gespeicherten Wert (Format nicht "
                             "unterstützt): B2"));
    EXPECT_EQ(translatedCoreText("7 cells show their stored value (format not supported): "
                                 "B2, C3 and 5 more"),
              QStringLiteral("7 Zellen zeigen ihren gespeicherten Wert (Format nicht "
                             "unterstützt): B2, C3 und 5 weitere"));
    EXPECT_EQ(translatedCoreText("Sheet 2!B2: format \"[$-F800]dddd\""),
              QStringLiteral("Sheet 2!B2: Format „[$-F800]dddd“"));
}

TEST_F(TranslationTest, RussianCountsUseAllThreePluralForms) {
    openIn(QLocale(QLocale::Russian, QLocale::Russia));
    useTextInputs();
    EXPECT_EQ(loadRows(1), QStringLiteral("1 запись"));
    EXPECT_EQ(loadRows(2), QStringLiteral("2 записи"));
    EXPECT_EQ(loadRows(5), QStringLiteral("5 записей"));
    EXPECT_EQ(loadRows(21), QStringLiteral("21 запись"));
    EXPECT_TRUE(menuTitles().contains(QStringLiteral("&Справка")));
}

TEST_F(TranslationTest, LanguageWithoutTranslationKeepsEnglish) {
    EXPECT_FALSE(installTranslations(*qApp, QLocale(QLocale::Japanese, QLocale::Japan)));
    open();
    store->addTemplate();
    QApplication::processEvents();
    EXPECT_TRUE(menuTitles().contains(QStringLiteral("&Edit")));
    EXPECT_EQ(csv().importButton()->text(), QStringLiteral("CSV Import"));
}
