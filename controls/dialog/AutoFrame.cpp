#include "controls/dialog/AutoFrame.h"

#include "controls/dialog/IconStrip.h"
#include "platform/runtime/Timer.h"
#include "platform/runtime/Twips.h"

#include <QImage>
#include <QLabel>
#include <QPainter>

namespace ostrevo
{

namespace
{

// Design values in twips, inside the frame.
constexpr int PicLeft = 45, PicTop = 30;
constexpr int TitleLeft = 720, TitleTop = 315, TitleWidth = 3855, TitleHeight = 225;
constexpr int MessageLeft = 90, MessageTop = 630;
constexpr int CloseSize = 16; // pixels

// Our own artwork for the close image: a cross, framed raised under the
// pointer and sunken while pressed.
QPixmap closePicture(AutoFrame::CloseLook look)
{
    QImage image(CloseSize, CloseSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    const int shift = look == AutoFrame::Pressed ? 1 : 0;
    if (look != AutoFrame::Normal) {
        const QColor light(255, 255, 255), dark(128, 128, 128);
        p.setPen(look == AutoFrame::Hover ? light : dark);
        p.drawLine(0, 0, CloseSize - 2, 0);
        p.drawLine(0, 0, 0, CloseSize - 2);
        p.setPen(look == AutoFrame::Hover ? dark : light);
        p.drawLine(CloseSize - 1, 0, CloseSize - 1, CloseSize - 1);
        p.drawLine(0, CloseSize - 1, CloseSize - 1, CloseSize - 1);
    }
    p.setPen(QPen(QColor(64, 64, 64), 2));
    p.drawLine(4 + shift, 4 + shift, 11 + shift, 11 + shift);
    p.drawLine(11 + shift, 4 + shift, 4 + shift, 11 + shift);
    return QPixmap::fromImage(image);
}

} // namespace

AutoFrame::AutoFrame(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("F1_2"));
    hide();
    setMouseTracking(true); // the close image's hover look ends over the frame

    m_aPic = new QLabel(this);
    m_aPic->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_aPic->setGeometry(rt::Twips::toPixelsX(PicLeft), rt::Twips::toPixelsY(PicTop), IconStrip::CellSize,
                        IconStrip::CellSize);

    m_aTitle = new QLabel(this);
    m_aTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_aTitle->setTextFormat(Qt::PlainText);
    QFont bold = m_aTitle->font();
    bold.setBold(true);
    m_aTitle->setFont(bold);
    m_aTitle->setGeometry(rt::Twips::toPixels(QRect(TitleLeft, TitleTop, TitleWidth, TitleHeight)));

    m_aMsg = new QLabel(this);
    m_aMsg->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_aMsg->setTextFormat(Qt::PlainText);
    m_aMsg->setWordWrap(true);
    m_aMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_aMsg->setMargin(0);
    m_aMsg->move(rt::Twips::toPixelsX(MessageLeft), rt::Twips::toPixelsY(MessageTop));

    for (int look = Normal; look <= Pressed; ++look)
        m_picCancel[size_t(look)] = closePicture(static_cast<CloseLook>(look));
    m_command1 = new QLabel(this);
    m_command1->setObjectName(QStringLiteral("command1"));
    m_command1->setMouseTracking(true);
    m_command1->resize(CloseSize, CloseSize);
    setCloseLook(Normal);

    m_timer1 = new rt::Timer(this);
    m_timer1->setInterval(0);
}

void AutoFrame::setCloseLook(CloseLook look)
{
    m_look = look;
    m_command1->setPixmap(m_picCancel[size_t(look)]);
}

} // namespace ostrevo
