#include "AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// The program as a desktop entry's Exec value: quoted when it holds a reserved character,
// with its field-code percent signs doubled, then escaped as a string value.
QString execValue(QString program)
{
    program.replace(QLatin1Char('%'), QLatin1String("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (std::any_of(program.cbegin(), program.cend(),
                    [](QChar c) { return reserved.contains(c); })) {
        QString quoted;
        for (QChar c : program) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
                c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        program = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    return program.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"));
}

} // namespace

AutostartEntry::AutostartEntry(const QString &configHome, const QString &executable)
    : m_configHome(configHome)
    , m_executable(executable)
{}

QString AutostartEntry::path() const
{
    return m_configHome + QStringLiteral("/autostart/varu.desktop");
}

bool AutostartEntry::isEnabled() const
{
    QFile file(path());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // Desktop files are simple enough to read line by line; "Hidden=true" switches one off.
    while (!file.atEnd()) {
        const QByteArray line = file.readLine();
        const qsizetype eq = line.indexOf('=');
        if (eq > 0 && line.left(eq).trimmed() == "Hidden" &&
            line.mid(eq + 1).trimmed().toLower() == "true")
            return false;
    }
    return true;
}

bool AutostartEntry::setEnabled(bool enabled, QString *error)
{
    if (!enabled) {
        QFile file(path());
        if (!file.exists() || file.remove())
            return true;
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path()).path())) {
        if (error)
            *error =
                QStringLiteral("Não foi possível criar a pasta %1").arg(QFileInfo(path()).path());
        return false;
    }
    const QString exec = execValue(m_executable);
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Varu\n"
                                         "Comment=Histórico da área de transferência\n"
                                         "Exec=%1\n"
                                         "Icon=com.teko.varu\n"
                                         "Terminal=false\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(exec);
    QSaveFile file(path());
    if (!file.open(QIODevice::WriteOnly) || file.write(entry.toUtf8()) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}
