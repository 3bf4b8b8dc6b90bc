#pragma once
// What the preview panel's views show: the card's title and detail line, its content by mode,
// and the panel's look. Filled by the preview controller; the views only read it.

#include "PreviewContent.h"

#include <QAbstractListModel>
#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

// The files of a file card, one row each, for the grid.
class PreviewFileList : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The file list belongs to the preview.")

public:
    enum Role { NameRole = Qt::UserRole + 1, FactsRole, PictureRole, IconRole };

    using QAbstractListModel::QAbstractListModel;

    void setFiles(const QList<PreviewFile> &files);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QList<PreviewFile> m_files;
};

class PreviewState : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The preview's state is handed to its views.")
    Q_PROPERTY(QString title READ title NOTIFY changed)
    Q_PROPERTY(QString detail READ detail NOTIFY changed)
    Q_PROPERTY(PreviewModes::Mode mode READ mode NOTIFY changed)
    Q_PROPERTY(QString text READ text NOTIFY changed)
    Q_PROPERTY(bool link READ link NOTIFY changed)
    Q_PROPERTY(QString picture READ picture NOTIFY changed)
    Q_PROPERTY(QString placeholder READ placeholder NOTIFY changed)
    Q_PROPERTY(QString animation READ animation NOTIFY changed)
    Q_PROPERTY(QString symbol READ symbol NOTIFY changed)
    Q_PROPERTY(int pages READ pages NOTIFY changed)
    Q_PROPERTY(qreal pageRatio READ pageRatio NOTIFY changed)
    Q_PROPERTY(QString swatch READ swatch NOTIFY changed)
    Q_PROPERTY(PreviewFileList *files READ files CONSTANT)
    Q_PROPERTY(bool translucent READ translucent NOTIFY translucentChanged)

public:
    explicit PreviewState(QObject *parent = nullptr);

    // `placeholder` is an image address shown while the full picture decodes; may be empty.
    void show(const QString &title, const QString &detail, const PreviewContent &content,
              const QString &placeholder);
    void clear();
    void setTranslucent(bool translucent);

    // The address of page `page` of the PDF shown, for the views.
    Q_INVOKABLE QString pageSource(int page) const;

    QString title() const { return m_title; }
    QString detail() const { return m_detail; }
    PreviewModes::Mode mode() const { return m_content.mode; }
    QString text() const { return m_content.text; }
    bool link() const { return m_content.link; }
    QString picture() const;
    QString placeholder() const { return m_placeholder; }
    QString animation() const;
    QString symbol() const;
    int pages() const { return m_content.pages; }
    qreal pageRatio() const;
    // The colour card's colour as "#rrggbb".
    QString swatch() const { return m_content.color.name(); }
    PreviewFileList *files() { return &m_files; }
    bool translucent() const { return m_translucent; }

    // Image addresses of the panel's provider, "image://varupreview/...".
    static QString address(const QString &kind, const QString &path);

Q_SIGNALS:
    void changed();
    void translucentChanged();

private:
    QString m_title;
    QString m_detail;
    PreviewContent m_content;
    QString m_placeholder;
    PreviewFileList m_files;
    bool m_translucent = false;
};
