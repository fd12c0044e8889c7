#include "platform/fake/FakeScreens.h"

namespace {

constexpr double kDefaultWidth = 1920;
constexpr double kDefaultHeight = 1080;

} // namespace

FakeScreens::FakeScreens()
{
    const QRectF frame(0, 0, kDefaultWidth, kDefaultHeight);
    m_screens.push_back({frame, frame, 1.0});
}

GlobalCoordinates FakeScreens::coordinates() const
{
    if (m_screens.empty())
        return GlobalCoordinates(QRectF());
    return GlobalCoordinates(QRectF(QPointF(0, 0), m_screens.front().frame.size()));
}
