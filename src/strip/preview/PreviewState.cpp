#include "PreviewState.h"

#include <QStringList>
#include <QUrl>

void PreviewFileList::setFiles(const QList<PreviewFile> &files)
{
    beginResetModel();
    m_files = files;
    endResetModel();
}

int PreviewFileList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_files.size());
}

QVariant PreviewFileList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_files.size())
        return {};
    const PreviewFile &file = m_files.at(index.row());
    switch (role) {
    case NameRole:
        return file.name;
    case FactsRole: {
        QStringList facts{file.size, file.type};
        facts.removeAll(QString());
        return facts.join(QStringLiteral(" · "));
    }
    case PictureRole:
        return PreviewState::address(QStringLiteral("thumb"), file.path);
    case IconRole:
        return PreviewState::address(QStringLiteral("icon"),
                                     file.iconName + u'|' + file.genericIconName);
    default:
        return {};
    }
}

QHash<int, QByteArray> PreviewFileList::roleNames() const
{
    return {{NameRole, "name"},
            {FactsRole, "facts"},
            {PictureRole, "picture"},
            {IconRole, "icon"}};
}

PreviewState::PreviewState(QObject *parent)
    : QObject(parent)
{}

void PreviewState::show(const QString &title, const QString &detail,
                        const PreviewContent &content, const QString &placeholder)
{
    m_title = title;
    m_detail = detail;
    m_content = content;
    m_placeholder = placeholder;
    m_files.setFiles(content.files);
    Q_EMIT changed();
}

void PreviewState::clear()
{
    show({}, {}, PreviewContent{}, {});
}

void PreviewState::setTranslucent(bool translucent)
{
    if (m_translucent == translucent)
        return;
    m_translucent = translucent;
    Q_EMIT translucentChanged();
}

QString PreviewState::address(const QString &kind, const QString &path)
{
    // The path is one segment of the address: its slashes must not split it.
    return QStringLiteral("image://varupreview/") + kind + u'/' +
           QString::fromLatin1(QUrl::toPercentEncoding(path));
}

QString PreviewState::picture() const
{
    return m_content.mode == PreviewMode::Picture ? address(QStringLiteral("picture"), m_content.path)
                                                  : QString();
}

QString PreviewState::animation() const
{
    return m_content.mode == PreviewMode::Animation ? QUrl::fromLocalFile(m_content.path).toString()
                                                    : QString();
}

QString PreviewState::symbol() const
{
    return m_content.mode == PreviewMode::Symbol ? address(QStringLiteral("symbol"), m_content.symbol)
                                                 : QString();
}

QString PreviewState::pageSource(int page) const
{
    if (m_content.mode != PreviewMode::Pdf || page < 0 || page >= m_content.pages)
        return {};
    return address(QStringLiteral("pdf"), QString::number(page) + u'|' + m_content.path);
}

qreal PreviewState::pageRatio() const
{
    const QSizeF size = m_content.pageSize;
    return size.width() > 0 ? size.height() / size.width() : 1.414;
}
