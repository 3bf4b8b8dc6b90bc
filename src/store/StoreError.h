#pragma once
// The one error type of the store: a database that cannot be opened, or a statement that
// cannot be prepared or run. Thrown by every store operation; caught at the shell's boundary.

#include <QString>

#include <exception>

class StoreError : public std::exception
{
public:
    enum class Case { Open, Sql };

    static StoreError open(const QString &message) { return {Case::Open, message}; }
    static StoreError sql(const QString &message) { return {Case::Sql, message}; }

    Case kind() const { return m_case; }
    const QString &message() const { return m_message; }

    // The default text form users see in alerts: the case name and the quoted message,
    // for example open("unable to open database file").
    QString describe() const;

    const char *what() const noexcept override { return m_what.constData(); }

private:
    StoreError(Case c, const QString &message);

    Case m_case;
    QString m_message;
    QByteArray m_what;
};
