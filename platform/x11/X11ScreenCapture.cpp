#include "platform/x11/X11ScreenCapture.h"

#include "platform/CapturedPixels.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Reply.h"

#include "foundation/Log.h"

#include <QGuiApplication>
#include <QTimer>

#include <xcb/damage.h>
#include <xcb/randr.h>
#include <xcb/shm.h>
#include <xcb/xfixes.h>

#include <cstring>
#include <utility>
#include <vector>

#include <sys/ipc.h>
#include <sys/shm.h>

namespace {

constexpr const char* kUnsupportedVisual = "Screen capture: the root window is not 32-bit BGRX; nothing is captured";
constexpr int kBytesPerPixel = 4;
constexpr std::uint32_t kAllPlanes = ~0u;

xcb_connection_t* qtConnection()
{
    if (!qGuiApp)
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Copies rows of 32-bit pixels that start at `sourceOrigin` in a `source` buffer
// `sourceWidth` pixels wide into `target` at `targetRect`.
void copyPixels(const std::uint8_t* source, int sourceWidth, const QPoint& sourceOrigin, QImage& target,
                const QRect& targetRect)
{
    const std::size_t rowBytes = static_cast<std::size_t>(targetRect.width()) * kBytesPerPixel;
    for (int y = targetRect.top(); y <= targetRect.bottom(); ++y) {
        const std::uint8_t* row = source
            + (static_cast<std::size_t>(y - sourceOrigin.y()) * static_cast<std::size_t>(sourceWidth)
               + static_cast<std::size_t>(targetRect.left() - sourceOrigin.x()))
                * kBytesPerPixel;
        std::memcpy(target.scanLine(y) + targetRect.left() * kBytesPerPixel, row, rowBytes);
    }
}

} // namespace

X11ScreenCapture::X11ScreenCapture(X11Connection& connection)
    : m_connection(connection)
    , m_reader(qtConnection() ? qtConnection() : connection.connection())
{
    xcb_connection_t* c = m_connection.connection();
    m_damageEvent = m_connection.firstEvent(&xcb_damage_id);
    if (m_damageEvent) {
        adoptReply(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
        adoptReply(xcb_xfixes_query_version_reply(c, xcb_xfixes_query_version(c, 2, 0), nullptr));
    }
    m_randrEvent = m_connection.firstEvent(&xcb_randr_id);
    if (m_randrEvent)
        xcb_randr_select_input(c, m_connection.root(),
                               XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE);
    const xcb_query_extension_reply_t* shm = xcb_get_extension_data(m_reader, &xcb_shm_id);
    m_shmAvailable = shm && shm->present
        && adoptReply(xcb_shm_query_version_reply(m_reader, xcb_shm_query_version(m_reader), nullptr)) != nullptr;
    xcb_flush(c);
    m_handlerId = m_connection.addEventHandler([this](const xcb_generic_event_t* event) { handleEvent(event); });
}

X11ScreenCapture::~X11ScreenCapture()
{
    m_connection.removeEventHandler(m_handlerId);
    endSession();
    detachSegment();
}

bool X11ScreenCapture::beginSession()
{
    if (m_sessionActive)
        return true;
    xcb_connection_t* c = m_connection.connection();
    // Damage first, so nothing drawn while the snapshot is read is lost.
    if (m_damageEvent) {
        m_damage = xcb_generate_id(c);
        xcb_damage_create(c, m_damage, m_connection.root(), XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        m_damagedRegion = xcb_generate_id(c);
        xcb_xfixes_create_region(c, m_damagedRegion, 0, nullptr);
        // A new damage object starts with the whole screen damaged, which the snapshot
        // below covers: dropped before it, or the first drain reads the screen again.
        xcb_damage_subtract(c, m_damage, XCB_NONE, XCB_NONE);
        m_connection.sync();
    }
    m_sessionActive = true;
    if (!takeSnapshot()) {
        endSession();
        return false;
    }
    return true;
}

void X11ScreenCapture::prepare()
{
    if (m_sessionActive || m_shm.address || !m_shmAvailable)
        return;
    // The server's first write into a fresh segment is by far its slowest: it maps every
    // page. Done now rather than at the first pick.
    const QRect root = rootRect();
    const std::size_t size = snapshotSize(root);
    if (size && attachSegment(size))
        fillSegment(root);
}

void X11ScreenCapture::endSession()
{
    xcb_connection_t* c = m_connection.connection();
    if (m_damage) {
        xcb_damage_destroy(c, m_damage);
        xcb_xfixes_destroy_region(c, m_damagedRegion);
        xcb_flush(c);
        m_damage = 0;
        m_damagedRegion = 0;
    }
    m_sessionActive = false;
    m_drainPending = false;
    m_resnapshotPending = false;
    m_snapshot = QImage();
    m_excluded = QRegion();
}

void X11ScreenCapture::resnapshot()
{
    m_resnapshotPending = false;
    if (!m_sessionActive)
        return;
    // What lies under the loupe now would show the loupe itself: keep the old pixels.
    std::vector<std::pair<QRect, QImage>> kept;
    for (const QRect& rect : m_excluded.intersected(m_snapshot.rect()))
        kept.emplace_back(rect, m_snapshot.copy(rect));
    if (!takeSnapshot()) {
        endSession();
        return;
    }
    for (const auto& [rect, pixels] : kept) {
        const QRect inside = rect.intersected(m_snapshot.rect());
        if (!inside.isEmpty())
            copyPixels(pixels.constBits(), pixels.width(), rect.topLeft(), m_snapshot, inside);
    }
}

QImage X11ScreenCapture::capture(const QRect& rect)
{
    if (m_sessionActive) {
        m_connection.processEvents();
        if (m_drainPending)
            drain();
        return capturedpixels::crop(m_snapshot, rect);
    }
    if (rect.isEmpty() || !rootIsBgrx())
        return {};
    QImage image(rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    const QRect inside = rect.intersected(rootRect());
    if (!inside.isEmpty() && !readRoot(inside, image, inside.topLeft() - rect.topLeft()))
        return {};
    capturedpixels::makeOpaque(image);
    return image;
}

QRect X11ScreenCapture::rootRect() const
{
    const auto geometry = adoptReply(
        xcb_get_geometry_reply(m_reader, xcb_get_geometry(m_reader, m_connection.root()), nullptr));
    return geometry ? QRect(0, 0, geometry->width, geometry->height) : QRect();
}

bool X11ScreenCapture::rootIsBgrx() const
{
    const xcb_setup_t* setup = xcb_get_setup(m_reader);
    const xcb_screen_t* screen = m_connection.screen();
    if (!screen || setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST
        || (screen->root_depth != 24 && screen->root_depth != 32))
        return false;
    for (auto it = xcb_setup_pixmap_formats_iterator(setup); it.rem; xcb_format_next(&it)) {
        if (it.data->depth == screen->root_depth)
            return it.data->bits_per_pixel == 32;
    }
    return false;
}

std::size_t X11ScreenCapture::snapshotSize(const QRect& root) const
{
    if (root.isEmpty() || !rootIsBgrx())
        return 0;
    return static_cast<std::size_t>(root.width()) * static_cast<std::size_t>(root.height()) * kBytesPerPixel;
}

bool X11ScreenCapture::fillSegment(const QRect& root)
{
    return adoptReply(xcb_shm_get_image_reply(
               m_reader,
               xcb_shm_get_image(m_reader, m_connection.root(), 0, 0, static_cast<std::uint16_t>(root.width()),
                                 static_cast<std::uint16_t>(root.height()), kAllPlanes, XCB_IMAGE_FORMAT_Z_PIXMAP,
                                 m_shm.segment, 0),
               nullptr))
        != nullptr;
}

bool X11ScreenCapture::takeSnapshot()
{
    const QRect root = rootRect();
    const std::size_t size = snapshotSize(root);
    if (!size) {
        if (!root.isEmpty())
            logging::log(kUnsupportedVisual);
        return false;
    }
    m_snapshot = QImage();
    if (m_shmAvailable && (m_shm.size >= size || attachSegment(size)) && fillSegment(root)) {
        m_snapshot = QImage(static_cast<uchar*>(m_shm.address), root.width(), root.height(),
                            root.width() * kBytesPerPixel, QImage::Format_RGB32);
        return true;
    }
    QImage image(root.size(), QImage::Format_RGB32);
    if (!readRoot(root, image, QPoint()))
        return false;
    m_snapshot = image;
    return true;
}

bool X11ScreenCapture::attachSegment(std::size_t size)
{
    detachSegment();
    const int id = shmget(IPC_PRIVATE, size, IPC_CREAT | 0600);
    if (id < 0)
        return false;
    void* address = shmat(id, nullptr, 0);
    const std::uint32_t segment = xcb_generate_id(m_reader);
    const bool attached = address != reinterpret_cast<void*>(-1)
        && !adoptReply(xcb_request_check(m_reader, xcb_shm_attach_checked(m_reader, segment, static_cast<std::uint32_t>(id), 0)));
    // Marked for removal now: it goes away with the last detach, even after a crash.
    shmctl(id, IPC_RMID, nullptr);
    if (!attached) {
        if (address != reinterpret_cast<void*>(-1))
            shmdt(address);
        m_shmAvailable = false;
        return false;
    }
    m_shm = {id, address, size, segment};
    return true;
}

void X11ScreenCapture::detachSegment()
{
    if (!m_shm.address)
        return;
    m_snapshot = QImage();
    xcb_shm_detach(m_reader, m_shm.segment);
    xcb_flush(m_reader);
    shmdt(m_shm.address);
    m_shm = {};
}

bool X11ScreenCapture::readRoot(const QRect& source, QImage& target, const QPoint& at) const
{
    const auto reply = adoptReply(xcb_get_image_reply(
        m_reader,
        xcb_get_image(m_reader, XCB_IMAGE_FORMAT_Z_PIXMAP, m_connection.root(), static_cast<std::int16_t>(source.x()),
                      static_cast<std::int16_t>(source.y()), static_cast<std::uint16_t>(source.width()),
                      static_cast<std::uint16_t>(source.height()), kAllPlanes),
        nullptr));
    if (!reply
        || static_cast<std::size_t>(xcb_get_image_data_length(reply.get()))
            < static_cast<std::size_t>(source.width()) * static_cast<std::size_t>(source.height()) * kBytesPerPixel)
        return false;
    copyPixels(xcb_get_image_data(reply.get()), source.width(), at, target, QRect(at, source.size()));
    return true;
}

void X11ScreenCapture::handleEvent(const xcb_generic_event_t* event)
{
    if (!m_sessionActive)
        return;
    const std::uint8_t type = event->response_type & 0x7f;
    if (m_damageEvent && type == *m_damageEvent + XCB_DAMAGE_NOTIFY) {
        scheduleDrain();
    } else if (m_randrEvent
               && (type == *m_randrEvent + XCB_RANDR_SCREEN_CHANGE_NOTIFY || type == *m_randrEvent + XCB_RANDR_NOTIFY)) {
        m_resnapshotPending = true;
        scheduleDrain();
    }
}

void X11ScreenCapture::scheduleDrain()
{
    if (m_drainPending)
        return;
    m_drainPending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_drainPending)
            drain();
    });
}

void X11ScreenCapture::drain()
{
    m_drainPending = false;
    if (m_resnapshotPending)
        resnapshot();
    if (!m_sessionActive || !m_damage)
        return;
    xcb_connection_t* c = m_connection.connection();
    xcb_damage_subtract(c, m_damage, XCB_NONE, m_damagedRegion);
    const auto region =
        adoptReply(xcb_xfixes_fetch_region_reply(c, xcb_xfixes_fetch_region(c, m_damagedRegion), nullptr));
    if (!region)
        return;
    // All reads go out at once; only what lies outside the loupe is copied back.
    std::vector<std::pair<QRect, xcb_get_image_cookie_t>> reads;
    const xcb_rectangle_t* rects = xcb_xfixes_fetch_region_rectangles(region.get());
    const int count = xcb_xfixes_fetch_region_rectangles_length(region.get());
    for (int i = 0; i < count; ++i) {
        const QRect rect = QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height).intersected(m_snapshot.rect());
        // QRegion::contains(QRect) answers any overlap: only a rectangle wholly under
        // the loupe is left out.
        if (rect.isEmpty() || QRegion(rect).subtracted(m_excluded).isEmpty())
            continue;
        reads.emplace_back(rect, xcb_get_image(m_reader, XCB_IMAGE_FORMAT_Z_PIXMAP, m_connection.root(),
                                               static_cast<std::int16_t>(rect.x()), static_cast<std::int16_t>(rect.y()),
                                               static_cast<std::uint16_t>(rect.width()),
                                               static_cast<std::uint16_t>(rect.height()), kAllPlanes));
    }
    for (const auto& [rect, cookie] : reads) {
        const auto reply = adoptReply(xcb_get_image_reply(m_reader, cookie, nullptr));
        if (!reply
            || static_cast<std::size_t>(xcb_get_image_data_length(reply.get()))
                < static_cast<std::size_t>(rect.width()) * static_cast<std::size_t>(rect.height()) * kBytesPerPixel)
            continue;
        for (const QRect& part : QRegion(rect).subtracted(m_excluded))
            copyPixels(xcb_get_image_data(reply.get()), rect.width(), rect.topLeft(), m_snapshot, part);
    }
}
