#include "CaptureRules.h"

#include "settings/VaruConfig.h"

CaptureRules::CaptureRules(const VaruConfig &config)
    : ignoredTypes(config.ignoredTypes.cbegin(), config.ignoredTypes.cend())
    , skipSecrets(config.skipSecrets)
{
    ignoredApps.reserve(config.ignoredApps.size());
    for (const QString &app : config.ignoredApps)
        ignoredApps << app.toLower();
}

bool CaptureRules::isIgnoredApp(const std::optional<QString> &appID) const
{
    if (!appID)
        return false;
    const QString id = appID->toLower();
    for (const QString &fragment : ignoredApps) {
        if (!fragment.isEmpty() && id.contains(fragment))
            return true;
    }
    return false;
}

std::optional<QString> CaptureRules::ignoredType(const QStringList &types) const
{
    for (const QString &type : types) {
        if (ignoredTypes.contains(type))
            return type;
    }
    return std::nullopt;
}

bool CaptureRules::admit(qint64 &total, qint64 length) const
{
    // Written as a difference so that huge lengths cannot overflow the sum.
    if (length > maxBytes - total)
        return false;
    total += length;
    return true;
}

const QRegularExpression &CaptureRules::secretPattern()
{
    // Without Unicode properties \s and \S would be ASCII-only, and a no-break space after
    // the colon would count as the secret's first character.
    // Three shapes, each specific enough not to catch ordinary prose or code:
    // - a keyword assigned a value, the keyword possibly quoted as in JSON or YAML;
    // - an HTTP Authorization header with a credential that has a digit, a symbol or an
    //   inner capital ("Authorization: Bearer tokens" in a sentence is not one);
    // - the first line of a PEM private key block.
    static const QRegularExpression pattern = [] {
        QRegularExpression re(
            QStringLiteral(
                "(?i)(?:^|[^a-z])(?:"
                "(?:pass(?:word|wd|code)?|senha|pwd|secret|token|api[_-]?key|private[_-]?key|"
                "client[_-]?secret)[\"']?\\s*[:=]\\s*\\S"
                "|authorization[\"']?\\s*[:=]\\s*[\"']?(?:bearer|basic|token)\\s+"
                "(?-i:(?=[A-Za-z0-9._~+/-]*[0-9_~+/=-]|[A-Za-z0-9._~+/-]+[A-Z]))"
                "[a-z0-9._~+/-]{8,}"
                ")|-----BEGIN[a-z0-9 ]* PRIVATE KEY"),
            QRegularExpression::UseUnicodePropertiesOption);
        if (!re.isValid())
            qFatal("secret pattern does not compile: %s", qUtf8Printable(re.errorString()));
        re.optimize();
        return re;
    }();
    return pattern;
}
