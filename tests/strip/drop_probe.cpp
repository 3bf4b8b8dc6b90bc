// A drop target for drag tests: it takes any drop and writes what was offered to a file, one
// line per type ("type<TAB>data" with the data's line breaks as spaces), so a test in another
// process can see exactly which types a drag carried.
//   varu_drop_probe TITLE OUTPUT-FILE

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSaveFile>
#include <QWidget>

class Probe : public QWidget
{
public:
    explicit Probe(QString output)
        : m_output(std::move(output))
    {
        setAcceptDrops(true);
    }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override { event->acceptProposedAction(); }
    void dragMoveEvent(QDragMoveEvent *event) override { event->acceptProposedAction(); }
    void dropEvent(QDropEvent *event) override
    {
        QByteArray lines;
        for (const QString &type : event->mimeData()->formats()) {
            QByteArray data = event->mimeData()->data(type);
            data.replace('\r', "").replace('\n', ' ');
            lines += type.toUtf8() + '\t' + (type.startsWith(u"image/"_qs) ? "…" : data) + '\n';
        }
        QSaveFile f(m_output);
        if (f.open(QIODevice::WriteOnly) && f.write(lines) == lines.size())
            f.commit();
        event->acceptProposedAction();
    }

private:
    QString m_output;
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    Probe probe(args.at(2));
    probe.setWindowTitle(args.at(1));
    probe.resize(400, 300);
    probe.show();
    return app.exec();
}
