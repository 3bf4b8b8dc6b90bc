#pragma once
// Which copies are never kept: copies made in ignored applications, copies that carry an
// ignored type, representations beyond the size budget, and text that looks like a secret.

#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

struct VaruConfig;

struct CaptureRules
{
    // 250 MiB: the most one capture may keep, summed over its representations.
    static constexpr qint64 kMaxBytes = 250LL * 1024 * 1024;

    QStringList ignoredApps; // lower-cased fragments of application ids
    QSet<QString> ignoredTypes;
    bool skipSecrets = true;
    qint64 maxBytes = kMaxBytes;

    CaptureRules() = default;
    explicit CaptureRules(const VaruConfig &config);

    // True when the application id contains one of the (non-empty) fragments, in any case.
    bool isIgnoredApp(const std::optional<QString> &appID) const;
    // The first of `types`, in order, that is ignored (exact, case-sensitive).
    std::optional<QString> ignoredType(const QStringList &types) const;
    // The size rule: true (and `total` grows) when `length` more bytes still fit.
    bool admit(qint64 &total, qint64 length) const;

    // A password or token assignment ("senha: …", "api_key=…", "\"password\": …"), an
    // Authorization header's credential or a PEM private key, matched anywhere in a text.
    // White space is Unicode white space (no-break and ideographic spaces count).
    static const QRegularExpression &secretPattern();
};
