#include "uikit/views/ViewAdditions.h"

#include "uikit/views/BezierPathAdditions.h"

#include "foundation/Log.h"
#include "platform/GlobalCoordinates.h"

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QResizeEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <utility>

namespace viewadditions {

namespace {

constexpr const char* kRoundedMaskName = "roundedClippingMask";
constexpr const char* kEmbedFollowerName = "embedResizeFollower";

// Calls back with the size the watched widget had at the previous call (or when watching
// began) and its new size. A widget resized while hidden reports no old size of its own
// when it is shown, so the size is remembered here.
class ResizeObserver final : public QObject {
public:
    using Handler = std::function<void(const QSize& oldSize, const QSize& newSize)>;

    ResizeObserver(QWidget* watched, QObject* owner, Handler onResize)
        : QObject(owner)
        , m_size(watched->size())
        , m_onResize(std::move(onResize))
    {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            const QSize size = static_cast<QResizeEvent*>(event)->size();
            const QSize old = std::exchange(m_size, size);
            m_onResize(old, size);
        }
        return false;
    }

private:
    QSize m_size;
    Handler m_onResize;
};

void embed(QWidget* host, QWidget* subview, bool below)
{
    if (!host || !subview || subview->parentWidget() == host)
        return;
    // A view moved from another host stops following that one.
    delete subview->findChild<QObject*>(kEmbedFollowerName, Qt::FindDirectChildrenOnly);
    subview->setParent(host);
    subview->setGeometry(host->rect());
    // Width and height follow the host; the origin stays.
    auto* follower = new ResizeObserver(host, subview, [subview](const QSize& oldSize, const QSize& newSize) {
        subview->resize(subview->size() + newSize - oldSize);
    });
    follower->setObjectName(kEmbedFollowerName);
    if (below)
        subview->lower();
    else
        subview->raise();
    subview->show();
}

QString frameText(const QRect& frame)
{
    return QStringLiteral("{{%1, %2}, {%3, %4}}").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
}

QList<QWidget*> childWidgets(const QWidget* view)
{
    return view->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
}

// Where the dragged window goes for one mouse position: the mouse less the offset, kept
// below the top of the visible frame.
QPointF dragOrigin(const QPointF& mouse, const QPointF& offset, double windowHeight, double visibleTop)
{
    QPointF origin = mouse - offset;
    if (origin.y() + windowHeight > visibleTop)
        origin.setY(visibleTop - windowHeight);
    return origin;
}

class WindowDragFilter final : public QObject {
public:
    WindowDragFilter(QWidget* window, QPointF offset, QEventLoop& loop)
        : m_window(window)
        , m_offset(offset)
        , m_loop(loop)
    {
    }

    bool moved() const { return m_moved; }

protected:
    // The loop takes the mouse events it reads: no widget sees them, so the release that
    // ends a drag never becomes a click. Windows still see them and keep their own state.
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
                m_loop.quit();
            return receiver->isWidgetType();
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
            follow(static_cast<QMouseEvent*>(event)->globalPosition());
            return receiver->isWidgetType();
        case QEvent::Hide:
            // A window hidden under the drag loses the mouse; no release would come.
            if (receiver == m_window.data())
                m_loop.quit();
            return false;
        default:
            return false;
        }
    }

private:
    void follow(const QPointF& topLeftMouse)
    {
        if (!m_window)
            return;
        const GlobalCoordinates global = GlobalCoordinates::fromQt();
        const QRectF frame = global.toGlobal(QRectF(m_window->frameGeometry()));
        const QScreen* screen = m_window->screen();
        const double visibleTop = screen ? global.toGlobal(QRectF(screen->availableGeometry())).bottom() : 0;
        const QPointF origin = dragOrigin(global.toGlobal(topLeftMouse), m_offset, frame.height(), visibleTop);
        if (!m_moved)
            m_moved = origin != frame.topLeft();
        const QPointF topLeft = global.toTopLeft(QRectF(origin, frame.size())).topLeft();
        m_window->move(topLeft.toPoint());
    }

    QPointer<QWidget> m_window;
    QPointF m_offset;
    QEventLoop& m_loop;
    bool m_moved = false;
};

} // namespace

void embedView(QWidget* host, QWidget* subview)
{
    embed(host, subview, false);
}

void embedViewBelow(QWidget* host, QWidget* subview)
{
    embed(host, subview, true);
}

double textScale(const QWidget* view)
{
    constexpr double kDefaultDpi = 96.0;
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = view ? view->logicalDpiY() : screen ? screen->logicalDotsPerInchY() : kDefaultDpi;
    return std::max(1.0, dpi / kDefaultDpi);
}

int scaledPixelSize(int pixelSize, const QWidget* view)
{
    return qRound(pixelSize * textScale(view));
}

void setTitleFont(QWidget* view, int pixelSize)
{
    QFont font = view->font();
    font.setBold(true);
    font.setPixelSize(scaledPixelSize(pixelSize, view));
    view->setFont(font);
}

void centerOnPrimaryScreen(QWidget* window)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QRegion roundedClippingRegion(const QRect& rect, double radius)
{
    const QPainterPath path = bezierpath::createRoundedCornerRect(QRectF(rect), roundedcorner::kAll, radius, radius);
    return QRegion(path.toFillPolygon().toPolygon());
}

void addRoundedClippingMask(QWidget* view, double radius)
{
    if (!view)
        return;
    delete view->findChild<QObject*>(kRoundedMaskName, Qt::FindDirectChildrenOnly);
    const auto applyMask = [view, radius] { view->setMask(roundedClippingRegion(view->rect(), radius)); };
    auto* observer = new ResizeObserver(view, view, [applyMask](const QSize&, const QSize&) { applyMask(); });
    observer->setObjectName(kRoundedMaskName);
    applyMask();
}

void setAppearanceInSubViews(QWidget* view, const QString& appearance)
{
    if (!view)
        return;
    for (QWidget* child : childWidgets(view)) {
        child->setProperty(kAppearanceProperty, appearance);
        setAppearanceInSubViews(child, appearance);
    }
}

bool dragWindowUntilMouseUp(QWidget* view, const QPointF& offset)
{
    if (!view)
        return false;
    QEventLoop loop;
    WindowDragFilter filter(view->window(), offset, loop);
    qApp->installEventFilter(&filter);
    loop.exec();
    qApp->removeEventFilter(&filter);
    return filter.moved();
}

void drawBlockUsingFlippedContext(QPainter& painter, const QWidget* layer, const std::function<void(QPainter&)>& block)
{
    painter.save();
    painter.translate(0, layer ? layer->height() : 0);
    painter.scale(1, -1);
    if (block)
        block(painter);
    painter.restore();
}

void recursiveDescription(const QWidget* view)
{
    recursiveDescriptionWithIdent(view, QString());
}

void recursiveDescriptionWithIdent(const QWidget* view, const QString& indent)
{
    if (!view)
        return;
    for (const QWidget* child : childWidgets(view)) {
        if (!childWidgets(child).isEmpty())
            recursiveDescriptionWithIdent(child, indent + QStringLiteral("  "));
        logging::log(QStringLiteral("%1%2 (%3)")
                         .arg(indent, QString::fromLatin1(child->metaObject()->className()), frameText(child->geometry()))
                         .toStdString());
    }
}

} // namespace viewadditions
