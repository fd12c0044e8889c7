#pragma once

#include "uikit/animation/AnimationCallbacks.h"
#include "uikit/animation/NJPropertyAnimation.h"
#include "uikit/animation/TimingFunction.h"

#include "foundation/Scheduler.h"

#include <QByteArray>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <vector>

// A view that animates its own Qt properties by key, on the Scheduler. A new animation
// of a key starts from the value the key holds at that moment, after the animation it
// interrupts has reported its end.
class NJAnimatedView : public QWidget {
    Q_OBJECT
public:
    using Block = std::function<void()>;
    using AnimationPtr = std::shared_ptr<NJPropertyAnimation>;

    explicit NJAnimatedView(QWidget* parent = nullptr);
    ~NJAnimatedView() override;

    // Makes, registers and installs a fresh animation for the key.
    AnimationPtr addAnimationForKey(const QByteArray& key);
    void initializeNewAnimation(const AnimationPtr& animation, const QByteArray& key);
    void registerAnimation(const AnimationPtr& animation, const QByteArray& key);
    // Installs a fresh animation for the key without touching its callbacks.
    AnimationPtr reactivateAnimationForKey(const QByteArray& key);
    void removeAnimationForKey(const QByteArray& key);

    bool isAnimationActive() const { return !m_animRunning.empty(); }
    bool animationActiveForKey(const QByteArray& key) const { return m_animRunning.contains(key); }

    void animateKey(const QByteArray& key, const QVariant& toValue, double duration, const EasingName& easing,
                    const AnimationCallbacks& callbacks = {});
    void stopAnimationForKey(const QByteArray& key);
    // Runs `afterAnimationStopped` once the key's running animation has reported its end,
    // or at once when none runs. A later request for the key drops it.
    void stopAnimationForKey(const QByteArray& key, Block afterAnimationStopped);
    virtual void stopAllAnimations();

    void attachFinishedCallback(Block block, const QByteArray& key);
    void attachCanceledCallback(Block block, const QByteArray& key);
    void attachRestartCallback(Block block, const QByteArray& key);

protected:
    virtual AnimationPtr createAnimationForKey(const QByteArray& key);
    AnimationPtr createBasicAnimationForKey(const QByteArray& key) const;
    AnimationPtr createKeyFrameAnimationForKey(const QByteArray& key) const;

    virtual void animationDidStart(const AnimationPtr& animation);
    virtual void animationDidStop(const AnimationPtr& animation, bool finished);
    void animationRestart(const QByteArray& key, const AnimationPtr& stopped);

private:
    struct Restart {
        // The interrupted animation it waits for; null when attached directly.
        AnimationPtr after;
        unsigned long request;
        Block block;
    };
    struct Driver {
        AnimationPtr animation;
        double start;
        Scheduler::TimerId timer;
    };

    // Sets the key as an animator would: through the installed animation, if any.
    void setAnimatedValue(const QByteArray& key, const QVariant& value);
    void step(const QByteArray& key);
    bool isCancelled(const AnimationPtr& animation) const;

    Scheduler& m_scheduler;
    std::map<QByteArray, AnimationPtr> m_animations;
    std::map<QByteArray, AnimationPtr> m_allAnimations;
    std::map<QByteArray, AnimationPtr> m_animRunning;
    std::map<QByteArray, std::vector<Block>> m_animFinishedCallbacks;
    std::map<QByteArray, std::vector<Block>> m_animCanceledCallbacks;
    std::map<QByteArray, std::vector<Restart>> m_animRestartCallbacks;
    std::vector<AnimationPtr> m_animCancelled;
    std::map<QByteArray, unsigned long> m_requests;
    std::map<QByteArray, Driver> m_drivers;
};
