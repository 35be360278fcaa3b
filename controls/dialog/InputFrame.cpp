#include "controls/dialog/InputFrame.h"

#include "controls/dialog/FlatButton.h"
#include "controls/dialog/IconStrip.h"
#include "platform/runtime/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace ostrevo
{

namespace
{

// Design values in twips, inside the frame.
constexpr int PicLeft = 45, PicTop = 30;
constexpr int TitleLeft = 720, TitleTop = 270, TitleWidth = 4215, TitleHeight = 225;
constexpr int MessageLeft = 90, MessageTop = 630;
constexpr int TextHeight = 315;
constexpr int CheckHeight = 465;
constexpr int ButtonWidth = 1005, ButtonHeight = 330;

QRect pixels(int left, int top, int width, int height)
{
    return rt::Twips::toPixels(QRect(left, top, width, height));
}

} // namespace

InputFrame::InputFrame(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("F1_1"));
    hide();
    // Labels let the mouse through to the frame, which hands it to the drag.
    m_iPic = new QLabel(this);
    m_iPic->setAttribute(Qt::WA_TransparentForMouseEvents);
    // An image sizes itself to its picture, one strip cell.
    m_iPic->setGeometry(rt::Twips::toPixelsX(PicLeft), rt::Twips::toPixelsY(PicTop), IconStrip::CellSize,
                        IconStrip::CellSize);

    m_iTitle = new QLabel(this);
    m_iTitle->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_iTitle->setTextFormat(Qt::PlainText);
    QFont bold = m_iTitle->font();
    bold.setBold(true);
    m_iTitle->setFont(bold);
    m_iTitle->setGeometry(pixels(TitleLeft, TitleTop, TitleWidth, TitleHeight));

    m_iMsg = new QLabel(this);
    m_iMsg->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_iMsg->setTextFormat(Qt::PlainText);
    m_iMsg->setWordWrap(true);
    m_iMsg->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_iMsg->setMargin(0);
    m_iMsg->move(rt::Twips::toPixelsX(MessageLeft), rt::Twips::toPixelsY(MessageTop));

    m_iTxt = new QLineEdit(this);
    m_iTxt->setObjectName(QStringLiteral("iTxt"));
    m_iTxt->resize(m_iTxt->width(), rt::Twips::toPixelsY(TextHeight));

    m_check2 = new QCheckBox(this);
    m_check2->setObjectName(QStringLiteral("Check2"));
    m_check2->resize(m_check2->width(), rt::Twips::toPixelsY(CheckHeight));
    m_check2->hide();

    const std::array<QString, 2> captions{QStringLiteral("Cancel"), QStringLiteral("OK")};
    for (int i = 0; i < 2; ++i) {
        auto *button = new FlatButton(this);
        button->setObjectName(QStringLiteral("iCmd_%1").arg(i));
        button->resize(rt::Twips::toPixelsX(ButtonWidth), rt::Twips::toPixelsY(ButtonHeight));
        button->letCaption(captions[size_t(i)]);
        m_iCmd[size_t(i)] = button;
    }
    // The text first: the user came to type.
    setTabOrder(m_iTxt, m_check2);
    setTabOrder(m_check2, m_iCmd[0]);
    setTabOrder(m_iCmd[0], m_iCmd[1]);
}

} // namespace ostrevo
