#include "StripDemo.h"

#include "capture/Thumbnailer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QLinearGradient>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QUuid>

namespace StripDemo {

namespace {

struct App
{
    const char *id;
    const char *name;
    QColor from, to;
    const char *glyph;
};

const App kApps[] = {
    {"org.gnome.TextEditor", "Editor de Texto", QColor(0x62, 0xA0, 0xEA), QColor(0x1C, 0x71, 0xD8),
     "T"},
    {"org.mozilla.firefox", "Firefox", QColor(0xFF, 0xA4, 0x36), QColor(0xE6, 0x3E, 0x2C), "f"},
    {"org.gnome.Screenshot", "Captura de Tela", QColor(0x8F, 0xF0, 0xA4), QColor(0x26, 0xA2, 0x69),
     "◉"},
    {"libreoffice-writer", "LibreOffice Writer", QColor(0x5E, 0xA6, 0xF5), QColor(0x21, 0x5D, 0xB0),
     "W"},
    {"org.gnome.Evince", "Visualizador de Documentos", QColor(0xF6, 0x61, 0x51),
     QColor(0xC0, 0x1C, 0x28), "E"},
    {"org.gnome.Nautilus", "Arquivos", QColor(0x9A, 0x9A, 0xA0), QColor(0x5E, 0x5C, 0x64), "▤"},
    {"com.slack.Slack", "Slack", QColor(0xC0, 0x61, 0xCB), QColor(0x61, 0x35, 0x83), "#"},
    {"org.gnome.Console", "Console", QColor(0x5E, 0x5C, 0x64), QColor(0x24, 0x1F, 0x31), ">_"},
};

QImage appIcon(const App &app)
{
    QImage icon(128, 128, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter p(&icon);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 8, 0, 120);
    g.setColorAt(0, app.from);
    g.setColorAt(1, app.to);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(8, 8, 112, 112), 26, 26);
    QFont font;
    font.setPixelSize(QString::fromUtf8(app.glyph).size() > 1 ? 50 : 64);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(8, 4, 112, 112), Qt::AlignCenter, QString::fromUtf8(app.glyph));
    return icon;
}

QImage landscape(QSize size, bool sunset)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();
    QLinearGradient sky(0, 0, 0, h * 0.7);
    sky.setColorAt(0, sunset ? QColor(0x2B, 0x2F, 0x77) : QColor(0x4A, 0x90, 0xE2));
    sky.setColorAt(1, sunset ? QColor(0xF7, 0x9D, 0x65) : QColor(0xBF, 0xE6, 0xFF));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(sunset ? QColor(0xFF, 0xD1, 0x66) : QColor(0xFF, 0xF4, 0xC2));
    p.drawEllipse(QPointF(w * 0.72, h * 0.38), h * 0.11, h * 0.11);
    const auto ridge = [&](qreal base, qreal amp, qreal phase, const QColor &c) {
        QPainterPath path(QPointF(0, h));
        for (int x = 0; x <= 40; ++x) {
            const qreal t = x / 40.0;
            path.lineTo(t * w, h * base - amp * h * (0.5 + 0.5 * std::sin(t * 7 + phase)) *
                                              (0.6 + 0.4 * std::cos(t * 3 - phase)));
        }
        path.lineTo(w, h);
        p.fillPath(path, c);
    };
    ridge(0.72, 0.22, 0.3, sunset ? QColor(0x6D, 0x3B, 0x6E) : QColor(0x5C, 0x8A, 0x6B));
    ridge(0.84, 0.16, 2.1, sunset ? QColor(0x3B, 0x24, 0x4C) : QColor(0x3E, 0x6B, 0x4E));
    ridge(0.95, 0.10, 4.0, sunset ? QColor(0x1E, 0x14, 0x2B) : QColor(0x27, 0x4D, 0x36));
    return image;
}

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 88);
    return bytes;
}

// A two-page document with headings and paragraphs.
QByteArray pdfDocument()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter p(&writer);
    for (int page = 0; page < 2; ++page) {
        if (page)
            writer.newPage();
        p.fillRect(QRect(0, 0, 595, 110), QColor(0xC0, 0x1C, 0x28));
        QFont title;
        title.setPixelSize(30);
        title.setBold(true);
        p.setFont(title);
        p.setPen(Qt::white);
        p.drawText(QRect(40, 30, 520, 60), Qt::AlignVCenter,
                   page ? QStringLiteral("Cláusulas") : QStringLiteral("Contrato de serviço"));
        QFont body;
        body.setPixelSize(12);
        p.setFont(body);
        p.setPen(QColor(0x33, 0x33, 0x33));
        for (int line = 0; line < 34; ++line) {
            const int width = 420 + (line * 37) % 90;
            p.fillRect(QRect(40, 140 + line * 18, line % 7 == 6 ? width / 2 : width, 7),
                       QColor(0x55, 0x55, 0x5A, 110));
        }
    }
    p.end();
    return bytes;
}

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString newID()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

ClipItem card(ClipKind kind, const QString &title, double createdAt, const char *app = nullptr)
{
    ClipItem item;
    item.id = newID();
    item.kind = kind;
    item.title = title;
    item.createdAt = createdAt;
    item.totalBytes = title.toUtf8().size();
    if (app) {
        item.sourceBundleID = QString::fromLatin1(app);
        for (const App &a : kApps) {
            if (qstrcmp(a.id, app) == 0)
                item.sourceName = QString::fromUtf8(a.name);
        }
    }
    return item;
}

} // namespace

void installApplications()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(data + u"/applications"_qs);
    QDir().mkpath(data + u"/icons/demo"_qs);
    for (const App &app : kApps) {
        const QString icon = data + u"/icons/demo/"_qs + QLatin1String(app.id) + u".png"_qs;
        appIcon(app).save(icon);
        write(data + u"/applications/"_qs + QLatin1String(app.id) + u".desktop"_qs,
              "[Desktop Entry]\nType=Application\nName=" + QByteArray(app.name) +
                  "\nExec=true\nIcon=" + icon.toUtf8() + "\n");
    }
}

History make(const QString &folder, double now)
{
    installApplications();
    QDir dir(folder);
    dir.mkpath(u"Downloads/projeto"_qs);

    // Files a user copies from the file manager.
    const QString photo = dir.filePath(u"Downloads/pôr-do-sol.jpg"_qs);
    write(photo, encode(landscape(QSize(2400, 1600), true), "JPEG"));
    const QString contract = dir.filePath(u"Downloads/contrato-2024.pdf"_qs);
    write(contract, pdfDocument());
    const QString notes = dir.filePath(u"Downloads/projeto/notas.markdown"_qs);
    write(notes, "# Notas da reunião\n\n- Revisar o orçamento\n- Enviar a proposta até sexta\n"
                 "- Marcar a próxima conversa\n\n## Pendências\n\n1. Contrato\n2. Cronograma\n");
    const QString sheet = dir.filePath(u"Downloads/projeto/orçamento.xlsx"_qs);
    write(sheet, QByteArray(48'200, 'x'));
    const QString doc = dir.filePath(u"Downloads/projeto/proposta.docx"_qs);
    write(doc, QByteArray(23'900, 'x'));
    const QString archive = dir.filePath(u"Downloads/projeto/fotos.zip"_qs);
    write(archive, QByteArray(3'400'000, 'x'));
    const QString shot = dir.filePath(u"Downloads/projeto/tela.png"_qs);
    write(shot, encode(landscape(QSize(1280, 800), false), "PNG"));

    History h;
    const auto ago = [now](double seconds) { return now - seconds; };

    ClipItem text = card(ClipKind::Text,
                         u"Reunião de planejamento amanhã às 10h na sala 3. Levar os números do "
                         "trimestre, a proposta revisada do fornecedor e o cronograma novo."_qs,
                         ago(3), "org.gnome.TextEditor");
    ClipItem link =
        card(ClipKind::Link,
             u"https://www.exemplo.com.br/blog/2024/como-organizar-a-area-de-transferencia"_qs,
             ago(4 * 60), "org.mozilla.firefox");

    const QImage screenshot = landscape(QSize(1600, 1000), false);
    const QByteArray png = encode(screenshot, "PNG");
    ClipItem image = card(ClipKind::Image, u"Imagem"_qs, ago(12 * 60), "org.gnome.Screenshot");
    if (const auto thumb = Thumbnailer::make(png, 360)) {
        image.thumbnail = thumb->png;
        image.title = QStringLiteral("Imagem %1 × %2").arg(thumb->width).arg(thumb->height);
    }
    image.totalBytes = png.size();

    ClipItem rich = card(ClipKind::RichText,
                         u"O contratante se compromete a pagar o valor acordado em até 30 dias "
                         "após a entrega de cada etapa, mediante nota fiscal."_qs,
                         ago(47 * 60), "libreoffice-writer");
    rich.customTitle = QStringLiteral("Cláusula de pagamento");

    const QByteArray pdfBytes = pdfDocument();
    ClipItem pdf = card(ClipKind::Pdf, u"PDF"_qs, ago(2 * 3600), "org.gnome.Evince");
    if (const auto thumb = Thumbnailer::pdf(pdfBytes, 360)) {
        pdf.thumbnail = thumb->png;
        pdf.title = thumb->pages == 1 ? u"PDF · 1 página"_qs
                                      : QStringLiteral("PDF · %1 páginas").arg(thumb->pages);
    }
    pdf.totalBytes = pdfBytes.size();

    ClipItem photoFile = card(ClipKind::File, photo, ago(3 * 3600), "org.gnome.Nautilus");
    ClipItem color = card(ClipKind::Color, u"#E8B730"_qs, ago(5 * 3600));
    ClipItem files = card(ClipKind::File, QStringList{notes, sheet, doc, archive, shot}.join(u'\n'),
                          ago(26 * 3600), "org.gnome.Nautilus");
    ClipItem command =
        card(ClipKind::Text, u"git rebase -i HEAD~3 && git push --force-with-lease"_qs,
             ago(2 * 86400), "org.gnome.Console");
    ClipItem contractFile = card(ClipKind::File, contract, ago(3 * 86400), "org.gnome.Nautilus");
    ClipItem thanks =
        card(ClipKind::Text, u"Valeu pela ajuda ontem!"_qs, ago(9 * 86400), "com.slack.Slack");
    ClipItem notesFile = card(ClipKind::File, notes, ago(16 * 86400), "org.gnome.Nautilus");

    // Two tabs: work holds the command and the clause, ideas the link.
    const Board work{newID(), u"Trabalho"_qs, u"#A57BEB"_qs, 0};
    const Board ideas{newID(), u"Ideias"_qs, u"#4CBF8A"_qs, 1};
    command.boardIDs = {work.id};
    rich.boardIDs = {work.id};
    link.boardIDs = {ideas.id};

    h.history = {text,  link,  image,   rich,         pdf,    photoFile,
                 color, files, command, contractFile, thanks, notesFile};
    h.boards = {work, ideas};
    h.boardItems.insert(work.id, {command, rich});
    h.boardItems.insert(ideas.id, {link});
    return h;
}

} // namespace StripDemo
