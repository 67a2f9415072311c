#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QTranslator>

#include "UiSession.h"
#include "ui/CSVPanel.h"
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
