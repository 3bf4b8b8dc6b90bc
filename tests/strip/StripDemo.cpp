#include "StripDemo.h"

#include "capture/Thumbnailer.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QUrl>
#include <QUuid>

namespace StripDemo {

namespace {

struct App
{
    const char *id, *name;
    QRgb from, to;
    const char *glyph;
};

const App kApps[] = {
    {"org.gnome.TextEditor", "Editor de Texto", 0x62A0EA, 0x1C71D8, "T"},
    {"org.mozilla.firefox", "Firefox", 0xFFA436, 0xE63E2C, "f"},
    {"org.gnome.Screenshot", "Captura de Tela", 0x8FF0A4, 0x26A269, "◉"},
    {"libreoffice-writer", "LibreOffice Writer", 0x5EA6F5, 0x215DB0, "W"},
    {"org.gnome.Evince", "Visualizador de Documentos", 0xF66151, 0xC01C28, "E"},
    {"org.gnome.Nautilus", "Arquivos", 0x9A9AA0, 0x5E5C64, "▤"},
    {"com.slack.Slack", "Slack", 0xC061CB, 0x613583, "#"},
    {"org.gnome.Console", "Console", 0x5E5C64, 0x241F31, ">_"},
};

bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A rounded tile in the application's gradient with its glyph, installed with a desktop entry.
void installApplications()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    QDir().mkpath(data + u"/applications"_qs);
    QDir().mkpath(data + u"/icons/demo"_qs);
    for (const App &app : kApps) {
        QImage icon(128, 128, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 8, 0, 120);
        g.setColorAt(0, QColor(app.from));
        g.setColorAt(1, QColor(app.to));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(QRectF(8, 8, 112, 112), 26, 26);
        const QString glyph = QString::fromUtf8(app.glyph);
        QFont font;
        font.setPixelSize(glyph.size() > 1 ? 50 : 64);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(8, 4, 112, 112), Qt::AlignCenter, glyph);
        p.end();
        const QString path = data + u"/icons/demo/"_qs + QLatin1String(app.id) + u".png"_qs;
        icon.save(path);
        write(data + u"/applications/"_qs + QLatin1String(app.id) + u".desktop"_qs,
              "[Desktop Entry]\nType=Application\nName=" + QByteArray(app.name) +
                  "\nExec=true\nIcon=" + path.toUtf8() + "\n");
    }
}

// Sky, sun and two ridges, at dusk or by day; encoded as `format`.
QByteArray landscape(QSize size, bool sunset, const char *format)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width(), h = size.height();
    QLinearGradient sky(0, 0, 0, h * 0.7);
    sky.setColorAt(0, QColor(sunset ? 0x2B2F77 : 0x4A90E2));
    sky.setColorAt(1, QColor(sunset ? 0xF79D65 : 0xBFE6FF));
    p.fillRect(image.rect(), sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(sunset ? 0xFFD166 : 0xFFF4C2));
    p.drawEllipse(QPointF(w * 0.72, h * 0.38), h * 0.11, h * 0.11);
    for (int r = 0; r < 2; ++r) {
        QPainterPath path(QPointF(0, h));
        for (int x = 0; x <= 40; ++x)
            path.lineTo(x * w / 40, h * (0.78 + 0.12 * r - 0.1 * std::sin(x / 6.0 + 3 * r)));
        path.lineTo(w, h);
        p.fillPath(path, QColor(sunset ? (r ? 0x1E142B : 0x6D3B6E) : (r ? 0x274D36 : 0x5C8A6B)));
    }
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 88);
    return bytes;
}

// Two A4 pages, each a red heading band over grey lines of text.
QByteArray pdfDocument()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(72);
    QPainter p(&writer);
    QFont title;
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    for (const QString &heading : {u"Contrato de serviço"_qs, u"Cláusulas"_qs}) {
        if (heading != u"Contrato de serviço"_qs)
            writer.newPage();
        p.fillRect(QRect(0, 0, 595, 110), QColor(0xC0, 0x1C, 0x28));
        p.setPen(Qt::white);
        p.drawText(QRect(40, 30, 520, 60), Qt::AlignVCenter, heading);
        for (int line = 0; line < 34; ++line) {
            const int width = 420 + (line * 37) % 90;
            p.fillRect(QRect(40, 140 + line * 18, line % 7 == 6 ? width / 2 : width, 7),
                       QColor(0x55, 0x55, 0x5A, 110));
        }
    }
    p.end();
    return bytes;
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
    for (const App &a : kApps) {
        if (app && qstrcmp(a.id, app) == 0) {
            item.sourceAppID = QString::fromLatin1(app);
            item.sourceName = QString::fromUtf8(a.name);
        }
    }
    return item;
}

} // namespace

History make(const QString &folder, double now)
{
    installApplications();
    QDir dir(folder);
    dir.mkpath(u"Downloads/projeto"_qs);
    const auto file = [&](const QString &name, const QByteArray &bytes) {
        write(dir.filePath(name), bytes);
        return dir.filePath(name);
    };
    // Files a user copies from the file manager.
    const QString photo =
        file(u"Downloads/pôr-do-sol.jpg"_qs, landscape({2400, 1600}, true, "JPEG"));
    const QString contract = file(u"Downloads/contrato-2024.pdf"_qs, pdfDocument());
    const QString notes = file(u"Downloads/projeto/notas.markdown"_qs,
                               "# Notas da reunião\n\n- Revisar o orçamento\n- Enviar a proposta "
                               "até sexta\n- Marcar a próxima conversa\n\n## Pendências\n\n"
                               "1. Contrato\n2. Cronograma\n");
    const QStringList folderFiles{
        notes, file(u"Downloads/projeto/orçamento.xlsx"_qs, QByteArray(48'200, 'x')),
        file(u"Downloads/projeto/proposta.docx"_qs, QByteArray(23'900, 'x')),
        file(u"Downloads/projeto/fotos.zip"_qs, QByteArray(3'400'000, 'x')),
        file(u"Downloads/projeto/tela.png"_qs, landscape({1280, 800}, false, "PNG"))};

    const auto ago = [now](double seconds) { return now - seconds; };
    ClipItem text = card(ClipKind::Text,
                         u"Reunião de planejamento amanhã às 10h na sala 3. Levar os números do "
                         "trimestre, a proposta revisada do fornecedor e o cronograma novo."_qs,
                         ago(3), "org.gnome.TextEditor");
    ClipItem link =
        card(ClipKind::Link,
             u"https://www.exemplo.com.br/blog/2024/como-organizar-a-area-de-transferencia"_qs,
             ago(4 * 60), "org.mozilla.firefox");

    const QByteArray png = landscape({1600, 1000}, false, "PNG");
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
        pdf.title = QStringLiteral("PDF · %1 páginas").arg(thumb->pages);
    }
    pdf.totalBytes = pdfBytes.size();

    ClipItem command =
        card(ClipKind::Text, u"git rebase -i HEAD~3 && git push --force-with-lease"_qs,
             ago(2 * 86400), "org.gnome.Console");
    // Two tabs: work holds the command and the clause, ideas the link.
    const UserTab work{newID(), u"Trabalho"_qs, u"#A57BEB"_qs, 0};
    const UserTab ideas{newID(), u"Ideias"_qs, u"#4CBF8A"_qs, 1};
    command.tabIDs = {work.id};
    rich.tabIDs = {work.id};
    link.tabIDs = {ideas.id};

    History h;
    h.history = {
        text,
        link,
        image,
        rich,
        pdf,
        card(ClipKind::File, photo, ago(3 * 3600), "org.gnome.Nautilus"),
        card(ClipKind::Color, u"#E8B730"_qs, ago(5 * 3600)),
        card(ClipKind::File, folderFiles.join(u'\n'), ago(26 * 3600), "org.gnome.Nautilus"),
        command,
        card(ClipKind::File, contract, ago(3 * 86400), "org.gnome.Nautilus"),
        card(ClipKind::Text, u"Valeu pela ajuda ontem!"_qs, ago(9 * 86400), "com.slack.Slack"),
        card(ClipKind::File, notes, ago(16 * 86400), "org.gnome.Nautilus")};
    const auto one = [](const char *type, const QByteArray &bytes) {
        return QList<Representation>{{0, QString::fromLatin1(type), bytes}};
    };
    for (const ClipItem &item : std::as_const(h.history)) {
        QList<Representation> &reps = h.reps[item.id];
        if (item.kind == ClipKind::File) {
            const QStringList paths = item.filePaths();
            for (qsizetype i = 0; i < paths.size(); ++i)
                reps.append({i, u"public.file-url"_qs, QUrl::fromLocalFile(paths.at(i)).toEncoded()});
        } else if (item.kind == ClipKind::Color) {
            reps = one("com.apple.cocoa.pasteboard.color", item.title.toUtf8());
        } else if (ClipKinds::isText(item.kind)) {
            reps = one("public.utf8-plain-text", item.title.toUtf8());
        }
    }
    h.reps[image.id] = one("public.png", png);
    h.reps[pdf.id] = one("com.adobe.pdf", pdfBytes);
    h.reps[rich.id].append(
        {0, u"public.html"_qs,
         "<p><b>Pagamento.</b> O contratante se compromete a pagar o valor acordado em "
         "<i>até 30 dias</i> após a entrega de cada etapa, mediante nota fiscal.</p>"});
    h.tabs = {work, ideas};
    h.tabItems.insert(work.id, {command, rich});
    h.tabItems.insert(ideas.id, {link});
    return h;
}

} // namespace StripDemo
