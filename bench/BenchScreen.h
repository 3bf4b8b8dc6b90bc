#pragma once
// The desktop as a keyboard and a camera for benchmarks: key presses through XTest, and the
// pixels of a piece of a screen row, read straight from the X server.

#include <QByteArray>
#include <QSet>
#include <QString>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <initializer_list>
#include <iterator>

class BenchScreen
{
public:
    explicit BenchScreen(const QString &display)
        : m_dpy(XOpenDisplay(display.toLocal8Bit().constData()))
    {}
    ~BenchScreen()
    {
        if (m_dpy)
            XCloseDisplay(m_dpy);
    }
    BenchScreen(const BenchScreen &) = delete;
    BenchScreen &operator=(const BenchScreen &) = delete;

    bool isOpen() const { return m_dpy; }
    int width() const { return DisplayWidth(m_dpy, DefaultScreen(m_dpy)); }
    int height() const { return DisplayHeight(m_dpy, DefaultScreen(m_dpy)); }

    void press(std::initializer_list<KeySym> keys)
    {
        for (KeySym k : keys)
            XTestFakeKeyEvent(m_dpy, XKeysymToKeycode(m_dpy, k), True, CurrentTime);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
            XTestFakeKeyEvent(m_dpy, XKeysymToKeycode(m_dpy, *it), False, CurrentTime);
        XFlush(m_dpy);
    }

    // The pixels of `w` points of row `y` from `x`; by default the middle half of the row.
    QByteArray row(int y, int x = -1, int w = -1)
    {
        if (x < 0) {
            x = width() / 4;
            w = width() / 2;
        }
        XImage *img = XGetImage(m_dpy, DefaultRootWindow(m_dpy), x, y, unsigned(w), 1, AllPlanes,
                                ZPixmap);
        if (!img)
            return {};
        QByteArray bytes(img->data, img->bytes_per_line);
        XDestroyImage(img);
        return bytes;
    }

    // How many different 32-bit pixels a row holds: one or two for a plain background, many
    // where text or a picture is drawn.
    static int colours(const QByteArray &row)
    {
        QSet<quint32> seen;
        for (qsizetype i = 0; i + 4 <= row.size(); i += 4)
            seen.insert(*reinterpret_cast<const quint32 *>(row.constData() + i) & 0xFFFFFF);
        return int(seen.size());
    }

private:
    Display *m_dpy;
};
