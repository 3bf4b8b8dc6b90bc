// Clipboard owners against the real binary: rounds of 200 distinct copies from different
// clients (xclip) at 5 to 100 per second, with the count kept and whether the last is on top,
// and `varu toggle` until the strip is shown while an owner that never answers holds the
// clipboard.

#include "BenchStats.h"
#include "DbProbe.h"
#include "DesktopSession.h"
#include "SessionRunner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

template<typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_connection_t *connection()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t atom(const char *name)
{
    xcb_connection_t *c = connection();
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_NONE);
}

xcb_window_t clipboardOwner()
{
    static const xcb_atom_t clipboard = atom("CLIPBOARD");
    xcb_connection_t *c = connection();
    Reply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, clipboard), nullptr),
        &std::free);
    return owner ? owner->owner : xcb_window_t(XCB_NONE);
}

// A mapped top-level window titled "Varu" as wide as the strip.
bool stripShown()
{
    static const xcb_atom_t utf8 = atom("UTF8_STRING");
    static const xcb_atom_t netName = atom("_NET_WM_NAME");
    xcb_connection_t *c = connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr),
                                       &std::free);
    if (!tree)
        return false;
    const xcb_window_t *children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr),
            &std::free);
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        Reply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, children[i]), nullptr), &std::free);
        if (!geometry || geometry->width < 1000)
            continue;
        Reply<xcb_get_property_reply_t> name(
            xcb_get_property_reply(c, xcb_get_property(c, 0, children[i], netName, utf8, 0, 16),
                                   nullptr),
            &std::free);
        if (name && QByteArray(static_cast<const char *>(xcb_get_property_value(name.get())),
                               xcb_get_property_value_length(name.get())) == "Varu")
            return true;
    }
    return false;
}

bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        if (done())
            return true;
        QThread::usleep(500);
    }
    return false;
}

QProcess *xclip(const QByteArray &text)
{
    QProcess *p = SessionRunner::start(
        QStringLiteral("xclip"), {QStringLiteral("-quiet"), QStringLiteral("-selection"),
                                  QStringLiteral("clipboard"), QStringLiteral("-i")});
    p->write(text);
    p->closeWriteChannel();
    return p;
}

void rounds(const DbProbe &db)
{
    constexpr int kCopies = 200;
    std::printf("%d distinct copies from different clients (each owns before the next starts;\n"
                "xclip's start-up caps the rate really made):\n",
                kCopies);
    for (int perSecond : {5, 10, 20, 50, 100}) {
        const QByteArray prefix = "round " + QByteArray::number(perSecond) + " copy ";
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < kCopies; ++i) {
            while (clock.elapsed() < qint64(i) * 1000 / perSecond)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            const xcb_window_t before = clipboardOwner();
            xclip(prefix + QByteArray::number(i));
            waitUntil([&] { return clipboardOwner() != before; }, 5000);
        }
        const double made = kCopies * 1000.0 / double(std::max<qint64>(1, clock.elapsed()));
        const QString last = QString::fromUtf8(prefix + QByteArray::number(kCopies - 1));
        const bool lastOnTop = waitUntil(
            [&] {
                return db.scalar(QStringLiteral("SELECT title FROM items WHERE in_history = 1 "
                                                "ORDER BY created_at DESC LIMIT 1"))
                           .toString() == last;
            },
            15000);
        const int kept = db.scalar(QStringLiteral("SELECT COUNT(*) FROM items WHERE title LIKE ?"),
                                   {QString::fromUtf8(prefix) + QStringLiteral("%")})
                             .toInt();
        std::printf("  %3d/s (%5.1f/s made): %3d of %d kept, last on top: %s\n", perSecond, made,
                    kept, kCopies, lastOnTop ? "yes" : "NO");
    }
}

void toggleWithHungOwner()
{
    QProcess *hung = SessionRunner::start(
        QStringLiteral(VARU_HUNG_OWNER),
        {QStringLiteral("UTF8_STRING"), QStringLiteral("text/html"), QStringLiteral("image/png"),
         QStringLiteral("application/pdf")});
    if (!hung->waitForReadyRead(5000)) {
        std::printf("the hung owner did not start\n");
        return;
    }
    QList<double> shown;
    for (int i = 0; i < 10; ++i) {
        QElapsedTimer t;
        t.start();
        SessionRunner::start(DesktopSession::varuBinary(), {QStringLiteral("toggle")});
        if (!waitUntil(stripShown, 10000)) {
            std::printf("strip not shown\n");
            return;
        }
        shown << BenchStats::msSince(t);
        SessionRunner::run(DesktopSession::varuBinary(), {QStringLiteral("toggle")});
        waitUntil([] { return !stripShown(); }, 10000);
        // A new hung offer each time: the owner is asked again for what it never sends.
        if (i % 2 == 0) {
            hung->kill();
            hung->waitForFinished();
            hung = SessionRunner::start(QStringLiteral(VARU_HUNG_OWNER),
                                        {QStringLiteral("UTF8_STRING"), QStringLiteral("image/png")});
            hung->waitForReadyRead(5000);
        }
    }
    BenchStats::print("varu toggle -> strip mapped, owner never answers", shown);
}

} // namespace

int main(int argc, char **argv)
{
    DesktopSession::Options options;
    options.windowManager = false;
    return SessionRunner::exec(argc, argv, options, [](int argc, char **argv) {
        QGuiApplication app(argc, argv);
        QProcess *varu = SessionRunner::start(DesktopSession::varuBinary());
        const QString path = SessionRunner::dataDir() + QStringLiteral("/varu.sqlite");
        if (!DesktopSession::waitFor([&] { return QFile::exists(path); }, 15000)) {
            std::printf("varu did not start: %s\n", varu->readAllStandardError().constData());
            return 1;
        }
        QThread::msleep(500);
        DbProbe db(path);
        toggleWithHungOwner();
        rounds(db);
        SessionRunner::stopAll();
        return 0;
    });
}
