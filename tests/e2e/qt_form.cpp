// A Qt 6 Widgets form for the end-to-end tests, so that a run is also checked against what
// Qt's own line edits make of the keys it sends.
//
// Usage: qt_form [--prefill TEXT] [--keep] LABEL...
//
// One line edit per label, each holding TEXT at the start. Return in any field prints the
// fields as "first|second|\n" on standard output; then the form exits, or with --keep puts
// TEXT back into every field and the focus into the first one.

#include <QApplication>
#include <QCommandLineParser>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    // The class part of WM_CLASS, by which a template names its target application.
    QCoreApplication::setApplicationName("KfQtForm");
    QApplication application(argc, argv);

    QCommandLineParser parser;
    const QCommandLineOption prefill("prefill", "Text in every field at the start.", "text");
    const QCommandLineOption keep("keep", "Empty the form after Return instead of exiting.");
    parser.addOptions({prefill, keep});
    parser.addPositionalArgument("labels", "One field per label.");
    parser.process(application);
    const QString initial = parser.value(prefill);
    const bool keepOpen = parser.isSet(keep);

    QWidget window;
    window.setWindowTitle("Keyferry Qt form");
    auto* layout = new QFormLayout(&window);
    std::vector<QLineEdit*> fields;
    for (const QString& label : parser.positionalArguments()) {
        auto* field = new QLineEdit(initial);
        auto* caption = new QLabel(label);
        caption->setBuddy(field);
        layout->addRow(caption, field);
        fields.push_back(field);
    }
    if (fields.empty())
        return 2;

    for (QLineEdit* field : fields) {
        QObject::connect(field, &QLineEdit::returnPressed, &window, [&] {
            QByteArray line;
            for (const QLineEdit* each : fields)
                line += each->text().toUtf8() + '|';
            line += '\n';
            std::fwrite(line.constData(), 1, static_cast<std::size_t>(line.size()), stdout);
            std::fflush(stdout);
            if (!keepOpen) {
                QCoreApplication::quit();
                return;
            }
            for (QLineEdit* each : fields)
                each->setText(initial);
            fields.front()->setFocus();
        });
    }
    window.resize(420, window.sizeHint().height());
    window.show();
    fields.front()->setFocus();
    return QApplication::exec();
}
