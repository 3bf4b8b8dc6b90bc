#include "QtShellDialogs.h"

#include "platform/Log.h"
#include "platform/Workspace.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

namespace {

// Modal, in front of whatever the user was doing: the shell has no window of its own.
void prepare(QMessageBox &box, const QString &message, const QString &informative)
{
    box.setWindowTitle(QStringLiteral("Varu"));
    box.setText(message);
    box.setInformativeText(informative);
    const QIcon icon = QApplication::windowIcon();
    if (!icon.isNull())
        box.setIconPixmap(icon.pixmap(64, 64));
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.setWindowModality(Qt::ApplicationModal);
}

int runInFront(QDialog &dialog)
{
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    return dialog.exec();
}

QString startFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

std::optional<QString> chosenFile(QFileDialog &dialog)
{
    if (runInFront(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

QtShellDialogs::QtShellDialogs(Workspace &workspace)
    : m_workspace(workspace)
{}

const QString &QtShellDialogs::nameFilter()
{
    static const QString filter = QStringLiteral("Backup do Varu (*.varu)");
    return filter;
}

void QtShellDialogs::alert(const QString &message, const QString &informative)
{
    qCInfo(lcVaru, "Alerta: %s — %s", qUtf8Printable(message), qUtf8Printable(informative));
    QMessageBox box;
    prepare(box, message, informative);
    box.setStandardButtons(QMessageBox::Ok);
    runInFront(box);
}

bool QtShellDialogs::confirm(const QString &message, const QString &informative,
                             const QString &accept, bool destructive)
{
    qCInfo(lcVaru, "Pergunta: %s — %s", qUtf8Printable(message), qUtf8Printable(informative));
    QMessageBox box;
    prepare(box, message, informative);
    QPushButton *yes =
        box.addButton(accept, destructive ? QMessageBox::DestructiveRole : QMessageBox::AcceptRole);
    QPushButton *no = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    runInFront(box);
    return box.clickedButton() == yes;
}

std::optional<QString> QtShellDialogs::saveBackup(const QString &fileName, const QString &title,
                                                  const QString &accept)
{
    QFileDialog dialog;
    dialog.setWindowTitle(title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(nameFilter());
    dialog.setDefaultSuffix(QStringLiteral("varu"));
    dialog.setLabelText(QFileDialog::Accept, accept);
    dialog.setDirectory(startFolder());
    dialog.selectFile(fileName);
    return chosenFile(dialog);
}

std::optional<QString> QtShellDialogs::openBackup(const QString &title, const QString &accept)
{
    QFileDialog dialog;
    dialog.setWindowTitle(title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(nameFilter());
    dialog.setLabelText(QFileDialog::Accept, accept);
    dialog.setDirectory(startFolder());
    return chosenFile(dialog);
}

void QtShellDialogs::reveal(const QString &path)
{
    m_workspace.reveal({path});
}
