#pragma once

#include "platform/ScreenCapture.h"

#include <QObject>

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

class X11Connection;

// The screen below the loupe on X11: a snapshot of the root window read through MIT-SHM
// when a session begins, kept current by DAMAGE outside the excluded region, and read
// again when RandR reports a new layout. Pixels are read on Qt's own connection when
// there is one, so they are read after Qt's last move of the loupe.
class X11ScreenCapture final : public QObject, public ScreenCapture {
    Q_OBJECT
public:
    explicit X11ScreenCapture(X11Connection& connection);
    ~X11ScreenCapture() override;

    bool beginSession() override;
    void prepare() override;
    void endSession() override;
    bool sessionActive() const override { return m_sessionActive; }
    void setExcludedRegion(const QRegion& region) override { m_excluded = region; }
    QRegion excludedRegion() const override { return m_excluded; }
    void resnapshot() override;
    QImage capture(const QRect& rect) override;

private:
    struct SharedSegment {
        int id = -1;
        void* address = nullptr;
        std::size_t size = 0;
        std::uint32_t segment = 0;
    };

    QRect rootRect() const;
    bool rootIsBgrx() const;
    bool takeSnapshot();
    // The size of the root's pixels; 0 when they cannot be read as BGRX.
    std::size_t snapshotSize(const QRect& root) const;
    // Has the server write the root's pixels into the shared segment.
    bool fillSegment(const QRect& root);
    bool attachSegment(std::size_t size);
    void detachSegment();
    // Reads `source` of the root into `target` at `at`; false on failure.
    bool readRoot(const QRect& source, QImage& target, const QPoint& at) const;
    void handleEvent(const xcb_generic_event_t* event);
    void scheduleDrain();
    void drain();

    X11Connection& m_connection;
    // Where pixels are read: Qt's connection when there is one.
    xcb_connection_t* m_reader;
    unsigned long m_handlerId = 0;
    std::optional<std::uint8_t> m_damageEvent;
    std::optional<std::uint8_t> m_randrEvent;
    bool m_shmAvailable = false;
    SharedSegment m_shm;
    std::uint32_t m_damage = 0;
    std::uint32_t m_damagedRegion = 0;
    QImage m_snapshot;
    QRegion m_excluded;
    bool m_sessionActive = false;
    bool m_drainPending = false;
    bool m_resnapshotPending = false;
};
