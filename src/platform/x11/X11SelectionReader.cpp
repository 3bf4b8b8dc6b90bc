#include "X11SelectionReader.h"

#include "X11MimeTypes.h"

#include <QDeadlineTimer>
#include <QMutexLocker>

#include <xcb/xfixes.h>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

namespace {

struct FreeReply
{
    void operator()(void *p) const { std::free(p); }
};
template<typename T> using Reply = std::unique_ptr<T, FreeReply>;

// Plain text is read once, from the first of these the owner offers that supplies it.
const QStringList kTextOrder{QStringLiteral("text/plain;charset=utf-8"),
                             QStringLiteral("UTF8_STRING"), QStringLiteral("text/plain"),
                             QStringLiteral("STRING"), QStringLiteral("TEXT")};

// STRING is Latin-1 by definition; TEXT lets the owner pick STRING among others.
bool isLatin1Text(const QString &target)
{
    return target == QLatin1String("STRING") || target == QLatin1String("TEXT");
}

qint64 now()
{
    return QDeadlineTimer::current().deadline();
}

} // namespace

struct X11SelectionReader::Wire
{
    xcb_connection_t *connection = nullptr;
    xcb_window_t window = XCB_NONE;
    xcb_atom_t clipboard = XCB_NONE;
    // Each request names a property of its own, so a late answer to a request given up on
    // is not taken for the answer to the next.
    QList<xcb_atom_t> properties;
    int nextProperty = 0;
    xcb_atom_t incr = XCB_NONE;
    xcb_atom_t targets = XCB_NONE;
    xcb_atom_t utf8 = XCB_NONE;
    quint8 xfixesEvent = 0;
    int wake = -1; // an eventfd the destructor writes to end the thread's wait
    QHash<QString, xcb_atom_t> atoms;
    QHash<xcb_atom_t, QString> names;
    // An ownership change met while reading an offer, handled once that read is given up.
    Reply<xcb_xfixes_selection_notify_event_t> nextOwner;

    ~Wire()
    {
        if (connection)
            xcb_disconnect(connection);
        if (wake >= 0)
            ::close(wake);
    }
};

X11SelectionReader::X11SelectionReader(const QByteArray &display, Limits limits,
                                       std::function<void(X11Offer)> deliver)
    : m_limits(limits)
    , m_deliver(std::move(deliver))
    , m_wire(std::make_unique<Wire>())
{
    m_running = connect(display);
    if (m_running)
        m_thread = std::thread([this] { run(); });
}

X11SelectionReader::~X11SelectionReader()
{
    m_stop = true;
    if (m_thread.joinable()) {
        const quint64 one = 1;
        if (::write(m_wire->wake, &one, sizeof one) < 0) {
            // The reader still notices the stop flag at its next bounded wait.
        }
        m_thread.join();
    }
}

void X11SelectionReader::setUnheldTypes(const QStringList &types)
{
    QMutexLocker lock(&m_unheldLock);
    m_unheld = types;
}

bool X11SelectionReader::connect(const QByteArray &display)
{
    Wire &w = *m_wire;
    w.connection = xcb_connect(display.isEmpty() ? nullptr : display.constData(), nullptr);
    if (xcb_connection_has_error(w.connection))
        return false;
    Reply<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(
        w.connection, xcb_xfixes_query_version(w.connection, 5, 0), nullptr));
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(w.connection, &xcb_xfixes_id);
    if (!version || !ext || !ext->present)
        return false;
    w.xfixesEvent = ext->first_event;
    w.wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (w.wake < 0)
        return false;

    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(w.connection)).data;
    w.window = xcb_generate_id(w.connection);
    const quint32 events = XCB_EVENT_MASK_PROPERTY_CHANGE; // INCR transfers announce chunks
    xcb_create_window(w.connection, XCB_COPY_FROM_PARENT, w.window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    w.clipboard = atom(QStringLiteral("CLIPBOARD"));
    for (int i = 0; i < 16; ++i)
        w.properties << atom(QStringLiteral("VARU_SELECTION_%1").arg(i));
    w.incr = atom(QStringLiteral("INCR"));
    w.targets = atom(QStringLiteral("TARGETS"));
    w.utf8 = atom(QStringLiteral("UTF8_STRING"));
    xcb_xfixes_select_selection_input(w.connection, w.window, w.clipboard,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                          XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(w.connection);
    return !xcb_connection_has_error(w.connection);
}

xcb_atom_t X11SelectionReader::atom(const QString &name)
{
    Wire &w = *m_wire;
    if (auto it = w.atoms.constFind(name); it != w.atoms.constEnd())
        return *it;
    const QByteArray bytes = name.toLatin1();
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        w.connection, xcb_intern_atom(w.connection, 0, quint16(bytes.size()), bytes.constData()),
        nullptr));
    const xcb_atom_t a = reply ? reply->atom : XCB_NONE;
    w.atoms.insert(name, a);
    w.names.insert(a, name);
    return a;
}

QString X11SelectionReader::atomName(xcb_atom_t a)
{
    Wire &w = *m_wire;
    if (auto it = w.names.constFind(a); it != w.names.constEnd())
        return *it;
    Reply<xcb_get_atom_name_reply_t> reply(
        xcb_get_atom_name_reply(w.connection, xcb_get_atom_name(w.connection, a), nullptr));
    if (!reply)
        return {};
    const QString name = QString::fromLatin1(xcb_get_atom_name_name(reply.get()),
                                             xcb_get_atom_name_name_length(reply.get()));
    w.names.insert(a, name);
    w.atoms.insert(name, a);
    return name;
}

void X11SelectionReader::run()
{
    Wire &w = *m_wire;
    {
        Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
            w.connection, xcb_get_selection_owner(w.connection, w.clipboard), nullptr));
        if (owner && owner->owner != XCB_NONE)
            readOffer(owner->owner, XCB_CURRENT_TIME, true);
    }
    while (!m_stop) {
        Reply<xcb_xfixes_selection_notify_event_t> change = std::move(w.nextOwner);
        if (!change) {
            Wait wait = Wait::Ready;
            Reply<xcb_generic_event_t> event(nextEvent(-1, wait));
            if (wait == Wait::Stopped)
                return;
            if (!event || !isNewOwner(event.get()))
                continue;
            change.reset(reinterpret_cast<xcb_xfixes_selection_notify_event_t *>(event.release()));
        }
        readOffer(change->owner, change->selection_timestamp, false);
    }
}

bool X11SelectionReader::isNewOwner(const xcb_generic_event_t *event)
{
    const Wire &w = *m_wire;
    if ((event->response_type & 0x7f) != w.xfixesEvent + XCB_XFIXES_SELECTION_NOTIFY)
        return false;
    return reinterpret_cast<const xcb_xfixes_selection_notify_event_t *>(event)->selection ==
           w.clipboard;
}

// The next event, or none when the deadline (-1: none) passes or the reader is told to stop.
// An ownership change is kept for later and ends the wait: the offer being read is gone.
xcb_generic_event_t *X11SelectionReader::nextEvent(qint64 deadline, Wait &wait)
{
    Wire &w = *m_wire;
    for (;;) {
        if (m_stop) {
            wait = Wait::Stopped;
            return nullptr;
        }
        if (xcb_generic_event_t *event = xcb_poll_for_event(w.connection)) {
            if (deadline >= 0 && isNewOwner(event)) {
                w.nextOwner.reset(reinterpret_cast<xcb_xfixes_selection_notify_event_t *>(event));
                wait = Wait::Superseded;
                return nullptr;
            }
            return event;
        }
        if (xcb_connection_has_error(w.connection)) {
            m_stop = true;
            continue;
        }
        int timeout = -1;
        if (deadline >= 0) {
            timeout = int(std::max<qint64>(0, deadline - now()));
            if (timeout == 0) {
                wait = Wait::TimedOut;
                return nullptr;
            }
        }
        pollfd fds[2] = {{xcb_get_file_descriptor(w.connection), POLLIN, 0}, {w.wake, POLLIN, 0}};
        ::poll(fds, 2, timeout);
    }
}

void X11SelectionReader::readOffer(xcb_window_t owner, xcb_timestamp_t time, bool initial)
{
    X11Offer offer;
    offer.owner = owner;
    offer.initial = initial;
    if (owner == XCB_NONE) {
        m_deliver(std::move(offer));
        return;
    }
    if (owner == m_ownWindow)
        return;

    const qint64 offerDeadline = now() + m_limits.offerWaitMs;
    m_budget = m_limits.maxBytes;
    Wait wait = Wait::Ready;
    const std::optional<QByteArray> list = convert(QStringLiteral("TARGETS"), time, wait,
                                                   offerDeadline);
    if (wait == Wait::Superseded || wait == Wait::Stopped)
        return;
    QStringList names;
    if (list) {
        const auto *atoms = reinterpret_cast<const xcb_atom_t *>(list->constData());
        for (qsizetype i = 0; i < list->size() / qsizetype(sizeof(xcb_atom_t)); ++i) {
            const QString name = atomName(atoms[i]);
            if (!name.isEmpty() && !names.contains(name))
                names << name;
        }
    }
    offer.targets = X11MimeTypes::contentTargets(names);
    {
        QMutexLocker lock(&m_unheldLock);
        for (const QString &target : std::as_const(offer.targets)) {
            if (m_unheld.contains(target) || m_unheld.contains(X11MimeTypes::storedType(target)))
                offer.concealed = true;
        }
    }

    bool textRead = false;
    for (const QString &target : std::as_const(offer.targets)) {
        if (offer.concealed || wait != Wait::Ready)
            break;
        const bool text = kTextOrder.contains(target, Qt::CaseInsensitive);
        if (text && textRead)
            continue;
        std::optional<QByteArray> bytes;
        if (text) {
            // The owner's best encoding first, whichever position it lists it at.
            for (const QString &candidate : kTextOrder) {
                const auto offered = std::find_if(
                    offer.targets.cbegin(), offer.targets.cend(), [&](const QString &t) {
                        return t.compare(candidate, Qt::CaseInsensitive) == 0;
                    });
                if (offered == offer.targets.cend())
                    continue;
                bytes = convert(*offered, time, wait, offerDeadline);
                if (bytes || wait != Wait::Ready) {
                    m_budget -= bytes ? bytes->size() : 0;
                    offer.data.insert(*offered, bytes);
                    break;
                }
            }
            textRead = true;
            continue;
        }
        bytes = convert(target, time, wait, offerDeadline);
        m_budget -= bytes ? bytes->size() : 0;
        offer.data.insert(target, bytes);
    }
    if (wait == Wait::Superseded || wait == Wait::Stopped)
        return;
    // Past a bound, what was read is handed on: the owner that stopped answering gets no
    // further requests, which it would queue behind the one it never answered.
    m_deliver(std::move(offer));
}

// One conversion of the selection to `target`, as a property on our window; Latin-1 text
// arrives as UTF-8. None when the owner refuses, stays silent past the bound, or the data
// would pass the capture limit.
std::optional<QByteArray> X11SelectionReader::convert(const QString &target, xcb_timestamp_t time,
                                                      Wait &wait, qint64 offerDeadline)
{
    Wire &w = *m_wire;
    const xcb_atom_t targetAtom = atom(target);
    const xcb_atom_t property = w.properties.at(w.nextProperty++ % w.properties.size());
    xcb_delete_property(w.connection, w.window, property);
    xcb_convert_selection(w.connection, w.window, w.clipboard, targetAtom, property, time);
    xcb_flush(w.connection);

    const qint64 deadline = std::min(now() + m_limits.targetWaitMs, offerDeadline);
    for (;;) {
        Reply<xcb_generic_event_t> event(nextEvent(deadline, wait));
        if (!event)
            return std::nullopt;
        if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY)
            continue;
        const auto *notify = reinterpret_cast<const xcb_selection_notify_event_t *>(event.get());
        // A late answer to a request given up on belongs to an earlier read.
        if (notify->selection != w.clipboard || notify->target != targetAtom ||
            notify->time != time || (notify->property != property && notify->property != XCB_NONE))
            continue;
        if (notify->property == XCB_NONE)
            return std::nullopt;
        break;
    }

    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        w.connection,
        xcb_get_property(w.connection, 1, w.window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                         quint32(std::clamp<qint64>(m_budget / 4 + 1, 1, UINT32_MAX / 4))),
        nullptr));
    if (!reply)
        return std::nullopt;
    if (reply->type == w.incr)
        return readIncremental(property, wait, offerDeadline, m_budget, isLatin1Text(target));
    if (reply->bytes_after > 0)
        return std::nullopt; // past the limit
    QByteArray bytes(static_cast<const char *>(xcb_get_property_value(reply.get())),
                     xcb_get_property_value_length(reply.get()));
    if (reply->type == XCB_ATOM_STRING && isLatin1Text(target))
        bytes = QString::fromLatin1(bytes).toUtf8();
    return bytes;
}

// An INCR transfer: each chunk the owner writes is read and deleted, which asks for the next;
// an empty chunk ends it. Every chunk renews the wait.
std::optional<QByteArray> X11SelectionReader::readIncremental(xcb_atom_t property, Wait &wait,
                                                              qint64 offerDeadline, qint64 budget,
                                                              bool mayBeLatin1)
{
    Wire &w = *m_wire;
    QByteArray bytes;
    bool latin1 = false;
    xcb_flush(w.connection);
    for (;;) {
        const qint64 deadline = std::min(now() + m_limits.targetWaitMs, offerDeadline);
        Reply<xcb_generic_event_t> event(nextEvent(deadline, wait));
        if (!event)
            return std::nullopt;
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
            continue;
        const auto *notify = reinterpret_cast<const xcb_property_notify_event_t *>(event.get());
        if (notify->window != w.window || notify->atom != property ||
            notify->state != XCB_PROPERTY_NEW_VALUE)
            continue;
        Reply<xcb_get_property_reply_t> chunk(xcb_get_property_reply(
            w.connection,
            xcb_get_property(w.connection, 1, w.window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                             UINT32_MAX / 4),
            nullptr));
        if (!chunk)
            return std::nullopt;
        const int length = xcb_get_property_value_length(chunk.get());
        if (length == 0)
            break;
        latin1 = mayBeLatin1 && chunk->type == XCB_ATOM_STRING;
        if (bytes.size() + length > budget) {
            // The owner is left waiting for a delete that never comes; it gives up by itself.
            wait = Wait::TimedOut;
            return std::nullopt;
        }
        bytes.append(static_cast<const char *>(xcb_get_property_value(chunk.get())), length);
        xcb_flush(w.connection);
    }
    if (latin1)
        bytes = QString::fromLatin1(bytes).toUtf8();
    return bytes;
}
