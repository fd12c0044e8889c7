#pragma once

#include <QObject>
#include <QPointer>

class NJShortcutView;

// The process-wide key and mouse monitors of the recorder that records: while
// installed they see the application's key and click events before anyone else.
class ShortcutRecordingMonitor final : public QObject {
    Q_OBJECT
public:
    static ShortcutRecordingMonitor& shared();

    // The recorder that last started recording.
    NJShortcutView* recorder() const { return m_recorder; }
    void setRecorder(NJShortcutView* recorder) { m_recorder = recorder; }

    void activateKeyMonitoring(bool active);
    void activateMouseMonitoring(bool active);
    bool isKeyMonitoring() const { return m_keyMonitoring; }
    bool isMouseMonitoring() const { return m_mouseMonitoring; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateFilter();
    bool filterKey(QObject* watched, QEvent* event);
    void filterMouse(QObject* watched, QEvent* event);

    QPointer<NJShortcutView> m_recorder;
    bool m_keyMonitoring = false;
    bool m_mouseMonitoring = false;
    bool m_installed = false;
};
