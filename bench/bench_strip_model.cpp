// The strip model's costs on a large history: the visible list after a keystroke (a
// three-token search, the image filter) and a reload with 10,000 cards and 20 tabs.

#include "BenchStats.h"

#include "strip/model/SearchFolding.h"
#include "strip/model/StripModel.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QRandomGenerator>
#include <QUuid>

#include <cstdio>
#include <ctime>

namespace {

const int kCards = 10000;
const int kTabs = 20;
const int kRuns = 40;

// Wall time and this thread's CPU time: on a busy machine the second shows the model's own
// cost without the time other processes took the core.
struct Figure
{
    QList<double> wall, cpu;
};

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

class Timing
{
public:
    explicit Timing(Figure &into)
        : m_into(into)
        , m_cpu(threadCpuMs())
    {
        m_wall.start();
    }
    ~Timing()
    {
        m_into.wall.append(double(m_wall.nsecsElapsed()) / 1e6);
        m_into.cpu.append(threadCpuMs() - m_cpu);
    }

private:
    Figure &m_into;
    QElapsedTimer m_wall;
    double m_cpu;
};

void print(const char *what, const Figure &f)
{
    BenchStats::print((QByteArray(what) + " (wall)").constData(), f.wall);
    BenchStats::print((QByteArray(what) + " (cpu)").constData(), f.cpu);
}

const QStringList kWords{
    u"reunião"_qs, u"café"_qs,      u"orçamento"_qs, u"projeto"_qs, u"São Paulo"_qs,
    u"cliente"_qs, u"relatório"_qs, u"função"_qs,    u"deploy"_qs,  u"https://exemplo.com.br"_qs,
    u"senha"_qs,   u"endereço"_qs,  u"Straße"_qs,    u"pedido"_qs,  u"número"_qs,
    u"código"_qs,  u"amanhã"_qs,    u"lista"_qs,     u"mercado"_qs, u"avião"_qs};

// A snapshot as the store would deliver it: every string freshly allocated. `fresh` new cards
// go on top of the history; the rest keep their ids and text from the previous snapshot.
struct Snapshot
{
    QList<ClipItem> history;
    QList<UserTab> tabs;
    TabItems tabItems;
};

// `pinned` are the cards kept in tabs: the same ones in every snapshot, as long as the history
// still has them.
Snapshot makeSnapshot(const QStringList &ids, const QStringList &pinned)
{
    Snapshot s;
    QHash<QString, ClipItem> byID;
    for (qsizetype i = 0; i < ids.size(); ++i) {
        QRandomGenerator cardRng(quint32(qHash(ids.at(i))));
        ClipItem item;
        item.id = QString(ids.at(i).constData(), ids.at(i).size()); // a copy, as from SQLite
        item.createdAt = 1.7e9 - double(i);
        const int k = cardRng.bounded(100);
        if (k < 8) {
            item.kind = ClipKind::Image;
            item.title = QStringLiteral("Imagem %1 × %2").arg(cardRng.bounded(4000)).arg(900);
        } else if (k < 14) {
            item.kind = ClipKind::File;
            item.title = QStringLiteral("/home/ana/Imagens/foto-%1.%2")
                             .arg(cardRng.generate())
                             .arg(k < 11 ? u"png"_qs : u"pdf"_qs);
        } else {
            item.kind = k < 30 ? ClipKind::Link : ClipKind::Text;
            QString title;
            while (title.size() < 200)
                title += kWords.at(cardRng.bounded(kWords.size())) + QLatin1Char(' ');
            item.title = title;
        }
        if (k % 7 == 0)
            item.sourceName = QStringLiteral("Mozilla Firefox");
        s.history.append(item);
        byID.insert(item.id, item);
    }
    for (int t = 0; t < kTabs; ++t) {
        const QString id =
            QStringLiteral("00000000-0000-0000-0000-0000000000%1").arg(t, 2, 10, QLatin1Char('0'));
        s.tabs.append(UserTab{id, QStringLiteral("Tab %1").arg(t), QStringLiteral("#5B8DEF"), t});
        QList<ClipItem> items;
        for (qsizetype j = t; j < pinned.size(); j += kTabs) {
            const auto it = byID.constFind(pinned.at(j));
            if (it != byID.cend())
                items.append(it.value());
        }
        s.tabItems.insert(id, items);
    }
    return s;
}

QStringList newIDs(int n)
{
    QStringList ids;
    for (int i = 0; i < n; ++i)
        ids.append(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    return ids;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList ids = newIDs(kCards);
    QStringList pinned;
    for (int i = 0; i < kTabs * 100; ++i)
        pinned.append(ids.at(QRandomGenerator::global()->bounded(kCards - kRuns)));
    const Snapshot base = makeSnapshot(ids, pinned);

    // Reloads: the first snapshot into a new model folds every card; a later one (one new
    // card on top, the oldest dropped) reuses what it can.
    Figure cold, warm, warmSearching;
    for (int run = 0; run < kRuns / 4; ++run) {
        StripModel model;
        const Snapshot s = makeSnapshot(ids, pinned);
        Timing t(cold);
        model.setData(s.history, s.tabs, s.tabItems);
    }
    StripModel model;
    model.setData(base.history, base.tabs, base.tabItems);
    for (int run = 0; run < kRuns; ++run) {
        ids.prepend(newIDs(1).first());
        ids.removeLast();
        const Snapshot s = makeSnapshot(ids, pinned);
        model.setQuery(run % 2 ? u"cafe reuniao"_qs : QString());
        Timing t(run % 2 ? warmSearching : warm);
        model.setData(s.history, s.tabs, s.tabItems);
        (void)model.filtered();
    }

    // Keystrokes: each assignment differs from the last, so the list is computed afresh and
    // the first visible card is focused, as when the user types.
    model.setQuery(QString());
    Figure search, image, both;
    const QStringList queries{u"cafe orcamento proj"_qs, u"cafe orcamento proje"_qs};
    int matched = 0;
    for (int run = 0; run < kRuns; ++run) {
        Timing t(search);
        model.setQuery(queries.at(run % 2));
        matched = int(model.filtered().size());
    }
    model.setQuery(QString());
    int images = 0;
    for (int run = 0; run < kRuns; ++run) {
        model.setKindFilter(std::nullopt);
        Timing t(image);
        model.setKindFilter(KindFilter::Image);
        images = int(model.filtered().size());
    }
    for (int run = 0; run < kRuns; ++run) {
        Timing t(both);
        model.setQuery(queries.at(run % 2));
        (void)model.filtered();
    }

    // The cost the index saves on each keystroke: folding every card's search text.
    Figure foldAll;
    for (int run = 0; run < kRuns / 4; ++run) {
        Timing t(foldAll);
        for (const ClipItem &item : base.history)
            (void)SearchFolding::fold(CardSearchIndex::searchText(item));
    }

    std::printf("%d cards, %d tabs of 100 cards; \"%s\" shows %d, the image filter %d\n", kCards,
                kTabs, qPrintable(queries.at(1)), matched, images);
    print("keystroke: three-token search", search);
    print("keystroke: image filter", image);
    print("keystroke: search with the image filter", both);
    print("setData: reload, one new card", warm);
    print("setData: reload while searching", warmSearching);
    print("setData: first snapshot (every card folded)", cold);
    print("fold every card's search text", foldAll);
    return 0;
}
