// SPDX-FileCopyrightText: 2026 The Tavlo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayerShellPlacer.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

// The protocol's interfaces, as libwayland wants them described: each request and event by
// name and argument signature ('n' a new object, 'o' an object, '?' nullable, 'u' unsigned,
// 'i' signed, 's' a string; a leading number is the version that brought it).
namespace {
extern const wl_interface layerSurfaceInterface;

const wl_interface *const getSurfaceTypes[]
    = { &layerSurfaceInterface, &wl_surface_interface, &wl_output_interface, nullptr, nullptr };
const wl_interface *const noTypes[] = { nullptr, nullptr, nullptr, nullptr };

const wl_message shellRequests[] = {
    { "get_layer_surface", "no?ous", const_cast<const wl_interface **>(getSurfaceTypes) },
    { "destroy", "3", const_cast<const wl_interface **>(noTypes) },
};
const wl_interface layerShellInterface = { "zwlr_layer_shell_v1", 4, 2, shellRequests, 0, nullptr };

const wl_message surfaceRequests[] = {
    { "set_size", "uu", const_cast<const wl_interface **>(noTypes) },
    { "set_anchor", "u", const_cast<const wl_interface **>(noTypes) },
    { "set_exclusive_zone", "i", const_cast<const wl_interface **>(noTypes) },
    { "set_margin", "iiii", const_cast<const wl_interface **>(noTypes) },
    { "set_keyboard_interactivity", "u", const_cast<const wl_interface **>(noTypes) },
    // Takes an xdg_popup, which is never sent from here.
    { "get_popup", "o", const_cast<const wl_interface **>(noTypes) },
    { "ack_configure", "u", const_cast<const wl_interface **>(noTypes) },
    { "destroy", "", const_cast<const wl_interface **>(noTypes) },
    { "set_layer", "2u", const_cast<const wl_interface **>(noTypes) },
};
const wl_message surfaceEvents[] = {
    { "configure", "uuu", const_cast<const wl_interface **>(noTypes) },
    { "closed", "", const_cast<const wl_interface **>(noTypes) },
};
const wl_interface layerSurfaceInterface = { "zwlr_layer_surface_v1", 4, 9, surfaceRequests, 2, surfaceEvents };

enum ShellRequest : uint32_t
{
    GetLayerSurface = 0
};
enum SurfaceRequest : uint32_t
{
    SetSize = 0,
    SetAnchor = 1,
    SetExclusiveZone = 2,
    SetMargin = 3,
    SetKeyboardInteractivity = 4,
    AckConfigure = 6,
    Destroy = 7
};
constexpr uint32_t overlayLayer = 3;
constexpr uint32_t anchorTop = 1, anchorBottom = 2, anchorLeft = 4, anchorRight = 8;
constexpr uint32_t allEdges = anchorTop | anchorBottom | anchorLeft | anchorRight;
constexpr uint32_t keyboardNone = 0, keyboardExclusive = 1, keyboardOnDemand = 2;
// The first version with keyboard focus on demand rather than all of it.
constexpr uint32_t onDemandVersion = 4;
// The gap between the panel and the window, as a popover's arrow would leave.
constexpr int panelGap = 4;
// How long the window waits for the pointer to arrive on the catcher; a compositor sends
// that at once when the catcher appears, under a pointer that stays where it clicked.
constexpr int pointerWaitMs = 150;
// No output is larger; a compositor that says otherwise gets no buffer of that size.
constexpr uint32_t maxSide = 16384;
// The configure event takes one round trip; a compositor that needs more is given a few.
constexpr int maxRoundTrips = 4;

struct Shell
{
    wl_display *display = nullptr;
    wl_event_queue *queue = nullptr;
    wl_proxy *layerShell = nullptr;
    uint32_t version = 0;
};

void onGlobal(void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version)
{
    auto *shell = static_cast<Shell *>(data);
    if (shell->layerShell || qstrcmp(interface, layerShellInterface.name) != 0)
        return;
    shell->version = std::min<uint32_t>(version, layerShellInterface.version);
    shell->layerShell = static_cast<wl_proxy *>(wl_registry_bind(registry, name, &layerShellInterface, shell->version));
}

void onGlobalRemove(void *, wl_registry *, uint32_t) { }

const wl_registry_listener registryListener = { onGlobal, onGlobalRemove };

Shell *connectShell()
{
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return nullptr;
    QPlatformNativeInterface *native = QGuiApplication::platformNativeInterface();
    auto *display = native
        ? static_cast<wl_display *>(native->nativeResourceForIntegration(QByteArrayLiteral("wl_display")))
        : nullptr;
    if (!display)
        return nullptr;
    // A queue of our own: the round trips here dispatch our objects' events and none of Qt's.
    static Shell shell;
    shell.display = display;
    shell.queue = wl_display_create_queue(display);
    auto *wrapper = static_cast<wl_display *>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy *>(wrapper), shell.queue);
    wl_registry *registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    wl_registry_add_listener(registry, &registryListener, &shell);
    wl_display_roundtrip_queue(display, shell.queue);
    wl_registry_destroy(registry);
    return shell.layerShell ? &shell : nullptr;
}

Shell *sessionShell()
{
    static Shell *const shell = connectShell();
    return shell;
}

// Qt reads this whenever it asks whether a window with Qt::BypassWindowManagerHint needs a
// shell role, for as long as the window shows. It is set only while such a window shows, so
// that programs started meanwhile inherit it no longer than that.
const char *const bypassVariable = "QT_WAYLAND_USE_BYPASSWINDOWMANAGERHINT";
int roleless = 0;

void showWithoutRole(QWidget *window)
{
    qputenv(bypassVariable, "1");
    window->show();
}

void releaseRoleless()
{
    if (roleless == 0)
        qunsetenv(bypassVariable);
}

// A layer surface of one showing of a window: destroyed when the window hides, which also
// takes Qt's wl_surface with it.
class LayerSurface : public QObject
{
public:
    struct Request
    {
        uint32_t anchors = 0;
        QMargins margins;
        QSize size;
        int32_t exclusiveZone = 0;
        uint32_t keyboard = 0;
    };

    // Gives the shown `window` its role; null when the compositor refused it.
    static LayerSurface *make(Shell *shell, QWidget *window, const Request &request)
    {
        QWindow *handle = window->windowHandle();
        auto *surface = handle
            ? static_cast<wl_surface *>(QGuiApplication::platformNativeInterface()->nativeResourceForWindow(
                QByteArrayLiteral("surface"), handle))
            : nullptr;
        if (!surface)
            return nullptr;
        auto *proxy = wl_proxy_marshal_flags(shell->layerShell, GetLayerSurface, &layerSurfaceInterface, shell->version,
            0, nullptr, surface, nullptr, overlayLayer, "tavlo");
        auto *layer = new LayerSurface(window, proxy, surface);
        layer->send(SetSize, uint32_t(request.size.width()), uint32_t(request.size.height()));
        layer->send(SetExclusiveZone, request.exclusiveZone);
        layer->send(SetKeyboardInteractivity, request.keyboard);
        layer->place(request.anchors, request.margins);
        if (!layer->awaitConfigure(shell)) {
            delete layer;
            return nullptr;
        }
        return layer;
    }

    ~LayerSurface() override
    {
        wl_proxy_marshal_flags(m_proxy, Destroy, nullptr, wl_proxy_get_version(m_proxy), WL_MARSHAL_FLAG_DESTROY);
        --roleless;
        releaseRoleless();
    }

    LayerSurface(const LayerSurface &) = delete;
    LayerSurface &operator=(const LayerSurface &) = delete;

    // The size the compositor gave the surface.
    QSize size() const { return m_size; }

    // Moves the surface; takes effect at once, whatever Qt draws next.
    void place(uint32_t anchors, const QMargins &margins)
    {
        send(SetAnchor, anchors);
        send(SetMargin, int32_t(margins.top()), int32_t(margins.right()), int32_t(margins.bottom()),
            int32_t(margins.left()));
        wl_surface_commit(m_surface);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Hide)
            deleteLater();
        return QObject::eventFilter(watched, event);
    }

private:
    LayerSurface(QWidget *window, wl_proxy *proxy, wl_surface *surface)
        : QObject(window)
        , m_window(window)
        , m_proxy(proxy)
        , m_surface(surface)
    {
        ++roleless;
        struct Listener
        {
            void (*configure)(void *, wl_proxy *, uint32_t, uint32_t, uint32_t);
            void (*closed)(void *, wl_proxy *);
        };
        static const Listener listener = { &LayerSurface::onConfigure, &LayerSurface::onClosed };
        wl_proxy_add_listener(proxy, reinterpret_cast<void (**)()>(const_cast<Listener *>(&listener)), this);
        window->installEventFilter(this);
    }

    template<typename... Args> void send(uint32_t opcode, Args... args)
    {
        wl_proxy_marshal_flags(m_proxy, opcode, nullptr, wl_proxy_get_version(m_proxy), 0, args...);
    }

    // Waits for the compositor's first configure event, which must be acknowledged before
    // anything is drawn; then the rest of the surface's events go with Qt's.
    bool awaitConfigure(Shell *shell)
    {
        for (int i = 0; i < maxRoundTrips && !m_configured && !m_closed; ++i)
            if (wl_display_roundtrip_queue(shell->display, shell->queue) < 0)
                return false;
        if (!m_configured || m_closed)
            return false;
        wl_proxy_set_queue(m_proxy, nullptr);
        return true;
    }

    static void onConfigure(void *data, wl_proxy *proxy, uint32_t serial, uint32_t width, uint32_t height)
    {
        auto *self = static_cast<LayerSurface *>(data);
        self->m_configured = true;
        self->m_size = QSize(int(std::min(width, maxSide)), int(std::min(height, maxSide)));
        wl_proxy_marshal_flags(proxy, AckConfigure, nullptr, wl_proxy_get_version(proxy), 0, serial);
    }

    static void onClosed(void *data, wl_proxy *)
    {
        // The compositor has dropped the surface (its output went away, say): so does the window.
        auto *self = static_cast<LayerSurface *>(data);
        self->m_closed = true;
        if (self->m_window && self->m_window->isVisible())
            QMetaObject::invokeMethod(self->m_window, &QWidget::hide, Qt::QueuedConnection);
    }

    QPointer<QWidget> m_window;
    wl_proxy *m_proxy;
    wl_surface *m_surface;
    QSize m_size;
    bool m_configured = false;
    bool m_closed = false;
};

uint32_t anchorBits(Qt::Edges edges)
{
    return (edges.testFlag(Qt::TopEdge) ? anchorTop : 0) | (edges.testFlag(Qt::BottomEdge) ? anchorBottom : 0)
        | (edges.testFlag(Qt::LeftEdge) ? anchorLeft : 0) | (edges.testFlag(Qt::RightEdge) ? anchorRight : 0);
}

// The invisible surface over the whole screen below the window: a press on it is a click
// outside, and the pointer's arrival on it, right where the panel item was clicked, tells
// where the window belongs (a Wayland client learns the pointer's position only over its own
// surfaces, and panels such as waybar pass the item's own coordinates with the click).
class ClickCatcher : public QWidget
{
public:
    ClickCatcher(QWidget *window, Shell *shell, QSize screen)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::BypassWindowManagerHint | Qt::Tool)
        , m_window(window)
        , m_shell(shell)
    {
        setAttribute(Qt::WA_TranslucentBackground);
        setAttribute(Qt::WA_DeleteOnClose);
        resize(screen);
        window->installEventFilter(this);
    }

    // Shows the window, placed for a click at `at` (on the catcher's output, whose top left
    // is 0, 0), unless it shows already. It goes to the same output as the catcher: the one
    // the compositor picks for a new surface, where the pointer is.
    void showWindowAt(QPoint at)
    {
        if (!m_window || m_window->isVisible())
            return;
        const QSize size = m_window->size();
        const auto place = LayerShellPlacer::placement(QRect(at, QSize(1, 1)), size, rect());
        const uint32_t keyboard = m_shell->version >= onDemandVersion ? keyboardOnDemand : keyboardExclusive;
        showWithoutRole(m_window);
        if (!LayerSurface::make(m_shell, m_window, { anchorBits(place.edges), place.margins, size, 0, keyboard })) {
            m_window->hide();
            close();
            releaseRoleless();
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Hide)
            close();
        return QWidget::eventFilter(watched, event);
    }

    void enterEvent(QEnterEvent *event) override { showWindowAt(event->position().toPoint()); }

    void hideEvent(QHideEvent *event) override
    {
        // Dropped by the compositor, say: the window goes with it.
        QWidget::hideEvent(event);
        if (m_window)
            m_window->hide();
    }

    void mousePressEvent(QMouseEvent *) override
    {
        if (m_window)
            m_window->hide();
        close();
    }

private:
    QPointer<QWidget> m_window;
    Shell *m_shell;
};
} // namespace

LayerShellPlacer::Placement LayerShellPlacer::placement(const QRect &anchor, QSize size, const QRect &screen)
{
    Placement placement;
    const QPoint centre = anchor.center();
    const bool top = centre.y() - screen.top() <= screen.bottom() - centre.y();
    placement.edges = top ? Qt::TopEdge : Qt::BottomEdge;
    if (top)
        placement.margins.setTop(panelGap);
    else
        placement.margins.setBottom(panelGap);

    // The side the item is on; a screen narrower than the window shows its left part.
    const int room = std::max(0, screen.width() - size.width());
    const int left = std::clamp(centre.x() - screen.left() - size.width() / 2, 0, room);
    if (centre.x() - screen.left() <= screen.width() / 2 || room == 0) {
        placement.edges |= Qt::LeftEdge;
        placement.margins.setLeft(left);
    } else {
        placement.edges |= Qt::RightEdge;
        placement.margins.setRight(room - left);
    }
    return placement;
}

bool LayerShellPlacer::isAvailable()
{
    return sessionShell() != nullptr;
}

void LayerShellPlacer::prepare(QWidget *window)
{
    if (!isAvailable())
        return;
    window->setWindowFlag(Qt::BypassWindowManagerHint, true);
}

bool LayerShellPlacer::show(QWidget *window, const QRect &anchor)
{
    // Without the hint Qt gives the window a role of its own, and a second one is an error
    // that ends the connection.
    Shell *shell = sessionShell();
    if (!shell || !window->windowFlags().testFlag(Qt::BypassWindowManagerHint))
        return false;
    QScreen *screen = QGuiApplication::screenAt(anchor.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect screenRect = screen ? screen->geometry() : QRect(QPoint(0, 0), window->size());

    // The catcher first, so that the window comes above it. The window follows once the
    // pointer has shown where the click was, so that it appears in its place at once; with
    // no pointer (a touch screen), where the panel said.
    auto *catcher = new ClickCatcher(window, shell, screenRect.size());
    showWithoutRole(catcher);
    const LayerSurface *layer = LayerSurface::make(shell, catcher, { allEdges, {}, QSize(0, 0), -1, keyboardNone });
    if (!layer) {
        catcher->close();
        releaseRoleless();
        return false;
    }
    if (!layer->size().isEmpty())
        catcher->resize(layer->size());
    QTimer::singleShot(
        pointerWaitMs, catcher, [catcher, at = anchor.center() - screenRect.topLeft()] { catcher->showWindowAt(at); });
    return true;
}
