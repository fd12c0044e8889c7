// Fills the screen with one colour, with an optional one-pixel marker of another:
// color_field RRGGBB [x y RRGGBB]. Quits after ten minutes, longer than a sanitized run.
#include <QApplication>
#include <QColor>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace {

class Field final : public QWidget {
public:
    Field(QColor color, std::optional<QPoint> marker, QColor markerColor)
        : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
        , m_color(color)
        , m_marker(marker)
        , m_markerColor(markerColor)
    {
        setWindowTitle("color field");
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_color);
        if (m_marker)
            painter.fillRect(QRect(*m_marker, QSize(1, 1)), m_markerColor);
    }

private:
    QColor m_color;
    std::optional<QPoint> m_marker;
    QColor m_markerColor;
};

QColor hex(const char* text)
{
    return QColor(QStringLiteral("#") + QString::fromLatin1(text));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2 && argc != 5)
        return 1;
    std::optional<QPoint> marker;
    if (argc == 5)
        marker = QPoint(QString(argv[2]).toInt(), QString(argv[3]).toInt());
    Field field(hex(argv[1]), marker, argc == 5 ? hex(argv[4]) : QColor());
    field.setGeometry(QGuiApplication::primaryScreen()->geometry());
    field.show();
    QTimer::singleShot(600000, &app, &QApplication::quit);
    return app.exec();
}
