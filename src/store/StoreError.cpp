#include "StoreError.h"

StoreError::StoreError(Case c, const QString &message)
    : m_case(c)
    , m_message(message)
    , m_what(describe().toUtf8())
{}

QString StoreError::describe() const
{
    // The message is quoted the way a debugger prints a string literal.
    QString escaped;
    escaped.reserve(m_message.size());
    for (const QChar ch : m_message) {
        switch (ch.unicode()) {
        case '"':
            escaped += QLatin1String("\\\"");
            break;
        case '\\':
            escaped += QLatin1String("\\\\");
            break;
        case '\n':
            escaped += QLatin1String("\\n");
            break;
        case '\r':
            escaped += QLatin1String("\\r");
            break;
        case '\t':
            escaped += QLatin1String("\\t");
            break;
        default:
            escaped += ch;
        }
    }
    const QLatin1String name = m_case == Case::Open ? QLatin1String("open") : QLatin1String("sql");
    return name + QLatin1String("(\"") + escaped + QLatin1String("\")");
}
