// A plain Qt text window for paste tests: whatever arrives in it is written to a file, so a
// test in another process can see exactly what was pasted.
//   varu_paste_probe TITLE OUTPUT-FILE

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QSaveFile>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const QString output = args.at(2);
    QPlainTextEdit edit;
    edit.setWindowTitle(args.at(1));
    edit.resize(500, 200);
    QObject::connect(&edit, &QPlainTextEdit::textChanged, [&] {
        QSaveFile f(output);
        if (f.open(QIODevice::WriteOnly)) {
            f.write(edit.toPlainText().toUtf8());
            f.commit();
        }
    });
    edit.show();
    return app.exec();
}
