#include "tick_source.h"

TickSource::TickSource(const QString &name, bool singleShot, Qt::TimerType type, QObject *parent) : QObject(parent)
{
    setObjectName(name);
    timer_.setSingleShot(singleShot);
    timer_.setTimerType(type);
    connect(&timer_, &QTimer::timeout, this, &TickSource::Tick);
}

void TickSource::Start(int ms)
{
    if (byHand_)
        due_ = true;
    else
        timer_.start(ms);
}

void TickSource::Stop()
{
    due_ = false;
    timer_.stop();
}

bool TickSource::IsActive() const
{
    return byHand_ ? due_ : timer_.isActive();
}

void TickSource::TakeByHand()
{
    if (!byHand_)
        due_ = timer_.isActive();
    byHand_ = true;
    timer_.stop();
}

bool TickSource::Step()
{
    if (!byHand_ || !due_)
        return false;
    if (timer_.isSingleShot())
        due_ = false;
    Q_EMIT Tick();
    return true;
}
