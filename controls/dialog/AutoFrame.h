#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>

class QLabel;

namespace rt
{
class Timer;
}

namespace ostrevo
{

// The self-closing message's frame of the message form: icon, title, the
// wrapped message, the close image with its three looks and the timer that
// ends the balloon.
class AutoFrame : public QWidget
{
    Q_OBJECT
public:
    explicit AutoFrame(QWidget *parent);

    enum CloseLook { Normal = 0, Hover = 1, Pressed = 2 };

    QLabel *aPic() const { return m_aPic; }
    QLabel *aTitle() const { return m_aTitle; }
    QLabel *aMsg() const { return m_aMsg; }
    QLabel *command1() const { return m_command1; }
    rt::Timer *Timer1() const { return m_timer1; }

    // The close image's look; its Tag is "1" while it shows the hover look.
    void setCloseLook(CloseLook look);
    CloseLook closeLook() const { return m_look; }
    QString command1Tag() const { return m_command1Tag; }
    void setCommand1Tag(const QString &tag) { m_command1Tag = tag; }

private:
    QLabel *m_aPic = nullptr;
    QLabel *m_aTitle = nullptr;
    QLabel *m_aMsg = nullptr;
    QLabel *m_command1 = nullptr;
    rt::Timer *m_timer1 = nullptr;
    std::array<QPixmap, 3> m_picCancel;
    CloseLook m_look = Normal;
    QString m_command1Tag;
};

} // namespace ostrevo
