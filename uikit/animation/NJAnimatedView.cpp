#include "uikit/animation/NJAnimatedView.h"

#include "foundation/Log.h"

#include <QPointer>

#include <algorithm>

namespace {

constexpr double kFrameInterval = 1.0 / 60.0;
constexpr const char* kStartNotFound = "animation START NOT FOUND!";
constexpr const char* kStopNotFound = "animation STOP NOT FOUND!";

void runAndClear(std::vector<std::function<void()>>& blocks)
{
    auto pending = std::move(blocks);
    blocks.clear();
    for (const auto& block : pending)
        block();
}

} // namespace

NJAnimatedView::NJAnimatedView(QWidget* parent)
    : QWidget(parent)
    , m_scheduler(Scheduler::current())
{
}

NJAnimatedView::~NJAnimatedView()
{
    for (const auto& [key, driver] : m_drivers)
        m_scheduler.cancel(driver.timer);
}

NJAnimatedView::AnimationPtr NJAnimatedView::createBasicAnimationForKey(const QByteArray& key) const
{
    return std::make_shared<NJPropertyAnimation>(NJPropertyAnimation::Kind::Basic, key);
}

NJAnimatedView::AnimationPtr NJAnimatedView::createKeyFrameAnimationForKey(const QByteArray& key) const
{
    return std::make_shared<NJPropertyAnimation>(NJPropertyAnimation::Kind::KeyFrame, key);
}

NJAnimatedView::AnimationPtr NJAnimatedView::createAnimationForKey(const QByteArray& key)
{
    return createBasicAnimationForKey(key);
}

NJAnimatedView::AnimationPtr NJAnimatedView::addAnimationForKey(const QByteArray& key)
{
    AnimationPtr animation = createAnimationForKey(key);
    initializeNewAnimation(animation, key);
    m_animations[key] = animation;
    return animation;
}

void NJAnimatedView::initializeNewAnimation(const AnimationPtr& animation, const QByteArray& key)
{
    registerAnimation(animation, key);
    m_animFinishedCallbacks.try_emplace(key);
    m_animCanceledCallbacks.try_emplace(key);
    m_animRestartCallbacks.try_emplace(key);
}

void NJAnimatedView::registerAnimation(const AnimationPtr& animation, const QByteArray& key)
{
    m_allAnimations[key] = animation;
}

NJAnimatedView::AnimationPtr NJAnimatedView::reactivateAnimationForKey(const QByteArray& key)
{
    AnimationPtr animation = createAnimationForKey(key);
    registerAnimation(animation, key);
    m_animations[key] = animation;
    return animation;
}

void NJAnimatedView::removeAnimationForKey(const QByteArray& key)
{
    m_animations.erase(key);
}

void NJAnimatedView::animateKey(const QByteArray& key, const QVariant& toValue, double duration,
                                const EasingName& easing, const AnimationCallbacks& callbacks)
{
    stopAnimationForKey(key, [this, key, toValue, duration, easing, callbacks] {
        if (callbacks.finished)
            m_animFinishedCallbacks[key].push_back(callbacks.finished);
        if (callbacks.canceled)
            m_animCanceledCallbacks[key].push_back(callbacks.canceled);
        AnimationPtr animation = addAnimationForKey(key);
        m_animRunning[key] = animation;
        animation->setTimingFunction(TimingFunction::named(easing));
        animation->setDuration(duration);
        animation->setFromValue(property(key.constData()));
        animation->setToValue(toValue);
        setAnimatedValue(key, toValue);
    });
}

void NJAnimatedView::stopAnimationForKey(const QByteArray& key)
{
    stopAnimationForKey(key, Block());
}

void NJAnimatedView::stopAnimationForKey(const QByteArray& key, Block afterAnimationStopped)
{
    // Every request supersedes the restarts queued before it.
    const unsigned long request = ++m_requests[key];
    const auto running = m_animRunning.find(key);
    if (running == m_animRunning.end()) {
        if (afterAnimationStopped)
            afterAnimationStopped();
        return;
    }
    const AnimationPtr stopped = running->second;
    if (afterAnimationStopped)
        m_animRestartCallbacks[key].push_back({stopped, request, std::move(afterAnimationStopped)});
    removeAnimationForKey(key);
    setAnimatedValue(key, property(key.constData()));
    m_animFinishedCallbacks[key].clear();
    m_animRunning.erase(running);
    m_animCancelled.push_back(stopped);
    runAndClear(m_animCanceledCallbacks[stopped->name()]);
}

void NJAnimatedView::stopAllAnimations()
{
    std::vector<QByteArray> keys;
    for (const auto& [key, animation] : m_animRunning)
        keys.push_back(key);
    for (const QByteArray& key : keys)
        stopAnimationForKey(key);
}

void NJAnimatedView::attachFinishedCallback(Block block, const QByteArray& key)
{
    if (block)
        m_animFinishedCallbacks[key].push_back(std::move(block));
}

void NJAnimatedView::attachCanceledCallback(Block block, const QByteArray& key)
{
    if (block)
        m_animCanceledCallbacks[key].push_back(std::move(block));
}

void NJAnimatedView::attachRestartCallback(Block block, const QByteArray& key)
{
    if (block)
        m_animRestartCallbacks[key].push_back({nullptr, m_requests[key], std::move(block)});
}

bool NJAnimatedView::isCancelled(const AnimationPtr& animation) const
{
    return std::find(m_animCancelled.begin(), m_animCancelled.end(), animation) != m_animCancelled.end();
}

void NJAnimatedView::animationDidStart(const AnimationPtr& animation)
{
    if (!m_allAnimations.contains(animation->name())) {
        logging::log(kStartNotFound);
        return;
    }
    // A start reported after its animation was stopped must not revive it.
    if (!isCancelled(animation))
        m_animRunning[animation->name()] = animation;
}

void NJAnimatedView::animationDidStop(const AnimationPtr& animation, bool)
{
    const QByteArray key = animation->name();
    if (!m_allAnimations.contains(key)) {
        logging::log(kStopNotFound);
        return;
    }
    // A late report of an interrupted animation leaves a newer one of the key alone.
    if (const auto running = m_animRunning.find(key); running != m_animRunning.end() && running->second == animation)
        m_animRunning.erase(running);
    if (const auto cancelled = std::find(m_animCancelled.begin(), m_animCancelled.end(), animation);
        cancelled != m_animCancelled.end())
        m_animCancelled.erase(cancelled);
    else
        runAndClear(m_animFinishedCallbacks[key]);
    animationRestart(key, animation);
}

void NJAnimatedView::animationRestart(const QByteArray& key, const AnimationPtr& stopped)
{
    auto& restarts = m_animRestartCallbacks[key];
    std::vector<Block> due;
    const unsigned long latest = m_requests[key];
    std::erase_if(restarts, [&](Restart& restart) {
        if (restart.after && restart.after != stopped)
            return false;
        if (restart.request == latest)
            due.push_back(std::move(restart.block));
        return true;
    });
    for (const Block& block : due)
        block();
}

void NJAnimatedView::setAnimatedValue(const QByteArray& key, const QVariant& value)
{
    if (const auto driven = m_drivers.find(key); driven != m_drivers.end()) {
        // The interrupted animation reports its end on a later turn, in order.
        const AnimationPtr interrupted = driven->second.animation;
        m_scheduler.cancel(driven->second.timer);
        m_drivers.erase(driven);
        QPointer<NJAnimatedView> self(this);
        m_scheduler.post([self, interrupted] {
            if (self)
                self->animationDidStop(interrupted, false);
        });
    }
    const auto installed = m_animations.find(key);
    if (installed == m_animations.end()) {
        setProperty(key.constData(), value);
        return;
    }
    const AnimationPtr animation = installed->second;
    animation->setToValue(value);
    const Scheduler::TimerId timer = m_scheduler.scheduleRepeating(kFrameInterval, [this, key] { step(key); });
    m_drivers[key] = Driver {animation, m_scheduler.now(), timer};
    animationDidStart(animation);
}

void NJAnimatedView::step(const QByteArray& key)
{
    const auto driven = m_drivers.find(key);
    if (driven == m_drivers.end())
        return;
    const AnimationPtr animation = driven->second.animation;
    const double elapsed = m_scheduler.now() - driven->second.start;
    if (elapsed < animation->duration()) {
        setProperty(key.constData(), animation->valueAt(elapsed));
        return;
    }
    m_scheduler.cancel(driven->second.timer);
    m_drivers.erase(driven);
    setProperty(key.constData(), animation->toValue());
    animationDidStop(animation, true);
}
