// The strip's views as loaded from the Varu.Strip module (offscreen): the typed models reach
// them, the editors open in the mode the model names, and the card menu shows the kinds and
// pin states the model builds, all without a QML warning.

#include "StripFixtures.h"
#include "capture/ImageCache.h"
#include "strip/cards/AppIcons.h"
#include "strip/cards/CardFace.h"
#include "strip/cards/FileThumbnails.h"
#include "strip/cards/RelativeTime.h"
#include "strip/ui/CardInteraction.h"
#include "strip/ui/CardListModel.h"
#include "strip/ui/FileThumbnailProvider.h"
#include "strip/ui/StripChrome.h"
#include "strip/ui/StripImages.h"
#include "strip/ui/StripPanel.h"
#include "strip/ui/TabListModel.h"

#include <QQmlExpression>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

namespace {

QObject *find(QQuickItem *root, const std::function<bool(QQuickItem *)> &match)
{
    if (!root)
        return nullptr;
    if (match(root))
        return root;
    for (QQuickItem *child : root->childItems()) {
        if (QObject *found = find(child, match))
            return found;
    }
    return nullptr;
}

// What a menu entry shows, as one line: "# title", "> submenu", "✓ tab", "– tab", "tab".
QString describe(QObject *entry)
{
    if (!entry->property("subMenu").value<QObject *>() && !entry->property("text").isValid())
        return u"---"_qs; // a separator
    const QString text = entry->property("text").toString();
    if (entry->property("heading").toBool())
        return u"# "_qs + text;
    if (entry->property("subMenu").value<QObject *>())
        return u"> "_qs + text;
    switch (PinState(entry->property("mark").toInt())) {
    case PinState::On:
        return u"✓ "_qs + text;
    case PinState::Mixed:
        return u"– "_qs + text;
    case PinState::Off:
        break;
    }
    return text;
}

QStringList entries(QObject *menu)
{
    QStringList list;
    const int count = menu->property("count").toInt();
    for (int i = 0; i < count; ++i) {
        QQuickItem *entry = nullptr;
        QMetaObject::invokeMethod(menu, "itemAt", Q_RETURN_ARG(QQuickItem *, entry), Q_ARG(int, i));
        list.append(entry ? describe(entry) : u"?"_qs);
    }
    return list;
}

} // namespace

class TestStripViews : public QObject
{
    Q_OBJECT

    RecordingActions actions;
    StripModel model;
    ImageCache images;
    AppIcons icons{[](const QString &) { return std::optional<QIcon>(); }};
    AppColors colors{icons};
    RelativeTime times;
    CardPresenter presenter{colors, times};
    FileThumbnails thumbnails;
    CardListModel cardList{model, presenter};
    TabListModel tabs{model};
    StripChrome chrome{model};
    CardInteraction interaction{model, nullptr};
    std::unique_ptr<StripPanel> panel;
    std::unique_ptr<QSignalSpy> warnings;

    QQuickItem *root() const { return panel->rootObject(); }
    QObject *cardMenu() const { return root()->findChild<QObject *>(u"cardMenu"_qs); }
    QVariant evaluate(QObject *scope, const QString &expression)
    {
        QQmlExpression run(qmlContext(scope), scope, expression);
        const QVariant value = run.evaluate();
        if (run.hasError())
            qWarning("%s", qUtf8Printable(run.error().toString()));
        return value;
    }

private Q_SLOTS:
    void initTestCase()
    {
        model.setActions(&actions);
        auto *pictures =
            new StripImages(icons, images, [this](const QString &id) { return cardList.item(id); });
        panel = std::make_unique<StripPanel>(
            StripPanel::Views{&model, &cardList, &tabs, &chrome, &interaction}, pictures,
            new FileThumbnailProvider(thumbnails));
        QVERIFY(panel->isLoaded());
        warnings = std::make_unique<QSignalSpy>(panel->engine(), &QQmlEngine::warnings);
    }

    // Cards A to E; the tab "Um" holds C and D, "Dois" holds C, "Três" nothing.
    void init()
    {
        QList<ClipItem> list = cards(u"ABCDE"_qs);
        list[2].tabIDs = {u"T1"_qs, u"T2"_qs};
        list[3].tabIDs = {u"T1"_qs};
        model.setData(list,
                      {userTab(u"T1"_qs, u"Um"_qs), userTab(u"T2"_qs, u"Dois"_qs),
                       userTab(u"T3"_qs, u"Três"_qs)},
                      {{u"T1"_qs, {list[2], list[3]}}, {u"T2"_qs, {list[2]}}});
        model.showHistory();
        model.prepareForShow();
        warnings->clear();
    }

    void cleanup()
    {
        for (const QList<QVariant> &batch : std::as_const(*warnings)) {
            for (const QQmlError &error : batch.first().value<QList<QQmlError>>())
                qWarning("%s", qUtf8Printable(error.toString()));
        }
        QVERIFY(warnings->isEmpty());
    }

    void modelsReachTheViews()
    {
        // The row and the tab bar are the models handed over, not copies or undefined.
        QObject *list = root()->findChild<QObject *>(u"cardList"_qs);
        QVERIFY(list);
        QCOMPARE(list->property("count").toInt(), 5);
        QCOMPARE(evaluate(root(), u"root.strip.tabEditorOpen"_qs), QVariant(false));
        model.setQuery(u"c"_qs);
        QCOMPARE(list->property("count").toInt(), 1);
    }

    void editorsOpenInTheirMode()
    {
        const auto overlay = [&] {
            return find(root(),
                        [](QQuickItem *item) { return item->property("renaming").isValid(); });
        };
        QVERIFY(!overlay());
        model.selectOnly(u"A"_qs);
        model.beginRename();
        QVERIFY(overlay());
        QCOMPARE(overlay()->property("renaming"), QVariant(true));
        model.cancelOverlay();
        QVERIFY(!overlay());
        model.beginEdit();
        QVERIFY(overlay());
        QCOMPARE(overlay()->property("renaming"), QVariant(false));
        model.cancelOverlay();

        // The tab editor on an existing tab, asking whether to delete it.
        model.editTab(u"T1"_qs, true);
        QObject *tabEditor =
            find(root(), [](QQuickItem *item) { return item->property("editor").isValid(); });
        QVERIFY(tabEditor);
        QCOMPARE(evaluate(tabEditor, u"overlay.editor.name"_qs), QVariant(u"Um"_qs));
        QCOMPARE(evaluate(tabEditor, u"overlay.editor.confirmDelete"_qs), QVariant(true));
    }

    void cardMenuShowsKindsAndPins()
    {
        QObject *menu = cardMenu();
        QVERIFY(menu);
        // C and D: both in "Um", one of them in "Dois", neither in "Três".
        model.selectOnly(u"C"_qs);
        model.toggleSelection(u"D"_qs);
        evaluate(menu, u"cardMenu.openFor(\"D\")"_qs);
        const QStringList group = entries(menu);
        QVERIFY2(group.size() > 3, qPrintable(group.join(u" | ")));
        QCOMPARE(group.first(), u"# 2 cards selecionados"_qs);
        QVERIFY2(group.contains(u"---"_qs), qPrintable(group.join(u" | ")));

        QObject *pinMenu = nullptr;
        for (int i = 0; i < menu->property("count").toInt() && !pinMenu; ++i) {
            QQuickItem *entry = nullptr;
            QMetaObject::invokeMethod(menu, "itemAt", Q_RETURN_ARG(QQuickItem *, entry),
                                      Q_ARG(int, i));
            pinMenu = entry ? entry->property("subMenu").value<QObject *>() : nullptr;
        }
        QVERIFY(pinMenu);
        QCOMPARE(entries(pinMenu),
                 (QStringList{u"✓ Um"_qs, u"– Dois"_qs, u"Três"_qs, u"---"_qs, u"Nova tab…"_qs}));
        evaluate(menu, u"cardMenu.close()"_qs);
    }
};

QTEST_MAIN(TestStripViews)
#include "tst_stripviews.moc"
