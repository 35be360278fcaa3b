#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace rt
{

// The platform's timer control: it ticks every interval milliseconds while
// enabled; an interval of 0 stops it. Owned by its form through the Qt parent.
class Timer : public QObject
{
    Q_OBJECT
public:
    explicit Timer(QObject *parent = nullptr);
    ~Timer() override;

    int interval() const { return m_interval; }
    // 0..65535 as on the platform; anything else raises error 380. Setting it
    // starts the count afresh.
    void setInterval(int milliseconds);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    bool isRunning() const { return m_enabled && m_interval > 0; }

    void setTickHandler(std::function<void()> handler) { m_handler = std::move(handler); }

    // Runs one tick now, as if the interval had passed; a stopped timer does
    // not tick. Returns whether the handler ran.
    bool fire();

private:
    void restart();
    void tick();

    QTimer m_timer;
    std::function<void()> m_handler;
    int m_interval = 0;
    bool m_enabled = true;
    bool m_inHandler = false;
};

} // namespace rt
