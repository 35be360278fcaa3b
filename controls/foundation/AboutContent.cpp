#include "controls/foundation/AboutContent.h"

#include "platform/gdi/SystemColors.h"
#include "platform/runtime/Twips.h"
#include "platform/screen/ScreenPointer.h"
#include "platform/shell/Shell.h"

#include <QFrame>
#include <QMouseEvent>

namespace ostrevo
{

namespace
{

constexpr uint32_t Navy = 0x800000;      // QBColor 1
constexpr uint32_t LightBlue = 0xFF0000; // QBColor 9
constexpr int ShowMaximized = 3;

void setLabelColor(QLabel *label, uint32_t bgr)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, gdi::toQColor(bgr));
    label->setPalette(palette);
}

QLabel *placeLabel(QWidget *host, const QString &name, const QString &text, const QRect &twips)
{
    auto *label = new QLabel(text, host);
    label->setObjectName(name);
    label->setGeometry(rt::Twips::toPixels(twips));
    return label;
}

} // namespace

AboutLink::AboutLink(const QString &address, QWidget *parent) : QLabel(address, parent)
{
    setObjectName(QStringLiteral("lblButton"));
    setMouseTracking(true);
    setCursor(Qt::PointingHandCursor); // the custom pointer (99)
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    font.setBold(true);
    font.setUnderline(true);
    setFont(font);
    setForeColor(Navy);
}

void AboutLink::setForeColor(uint32_t oleColor)
{
    setLabelColor(this, oleColor);
}

void AboutLink::mouseMoveEvent(QMouseEvent *event)
{
    m_hovered = true;
    setForeColor(LightBlue);
    QLabel::mouseMoveEvent(event);
}

void AboutLink::leaveEvent(QEvent *event)
{
    m_hovered = false;
    setForeColor(Navy);
    QLabel::leaveEvent(event);
}

void AboutLink::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClick)
        onClick();
}

QString aboutAddress()
{
    return QStringLiteral("www.quiv-tools.example");
}

AboutLink *buildAboutContent(QWidget *host, const QString &versionText)
{
    QLabel *product = placeLabel(host, QStringLiteral("lblProductName"), QStringLiteral("Quiv-Tools"),
                                 QRect(240, 240, 3000, 360));
    QFont productFont = product->font();
    productFont.setPointSizeF(12);
    productFont.setBold(true);
    product->setFont(productFont);
    setLabelColor(product, Navy);
    placeLabel(host, QStringLiteral("Label2"), versionText, QRect(240, 660, 3000, 255));
    auto *frame = new QFrame(host);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setGeometry(rt::Twips::toPixels(QRect(120, 1020, 3960, 600)));
    auto *link = new AboutLink(aboutAddress(), frame);
    link->setGeometry(rt::Twips::toPixels(QRect(120, 180, 3600, 255)));
    return link;
}

void OpenLink(QWidget *window, const QString &address)
{
    Q_UNUSED(window);
    const screen::WaitPointer hourglass;
    // Case matters: "HTTP://" gets a second, lower-case prefix as well.
    const QString target =
        address.left(7) == QLatin1String("http://") ? address : QStringLiteral("http://") + address;
    rt::ServiceSlot<shell::Shell>::current().execute(QStringLiteral("Open"), target, QString(), QString(),
                                                     ShowMaximized);
}

} // namespace ostrevo
