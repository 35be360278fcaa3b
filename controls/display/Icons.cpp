#include "controls/display/Icons.h"

#include "controls/foundation/ModResIcons.h"
#include "controls/foundation/frmAbout.h"
#include "controls/resources/StockIcons.h"
#include "platform/com/StdPicture.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"

#include <QPainter>
#include <QResizeEvent>
#include <limits>

using namespace com;

namespace ostrevo
{

namespace
{

constexpr int FaceSize = 38;    // pixels, whatever the host asks for
constexpr int EmblemGroup = 91; // the symbol the designer shows
constexpr int32_t LoadFlags = 2;

} // namespace

Icons::Icons()
{
    setFixedSize(FaceSize, FaceSize);
    drawFace();
}

Icons::~Icons() = default;

void Icons::describe(Dispatcher<Icons> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Icons"), QStringLiteral("Quiv_Tools.Icons"),
                                  QStringLiteral("{B21D20EA-F3A4-4B67-B113-15405C1D600E}"),
                                  QStringLiteral("{019EEBB1-D42F-4AEE-874E-26A446AF157D}"),
                                  QStringLiteral("{C357BE33-5FD3-4729-B8F0-5D846669D5DD}")));
    d.method(QStringLiteral("ShowAboutBox"), 0x60030001, VarType::Empty, {}, [](Icons &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    d.member({QStringLiteral("Icon"),
              0x68030000,
              Get,
              VarType::Object,
              QStringLiteral("Picture"),
              {{QStringLiteral("PicOver"), VarType::String, true},
               {QStringLiteral("Size"), VarType::String, true},
               {QStringLiteral("Index"), VarType::Long, true}}},
             [](Icons &, Args &args) {
                 return Variant::fromObject(icon(args[0].toString(), args[1].toString(), args[2].toLong()));
             },
             {});
}

int32_t Icons::groupOf(double picOver, int32_t index)
{
    int64_t group = index;
    if (picOver == 1)
        group += 100;
    else if (picOver != 0)
        group += 200;
    if (group > std::numeric_limits<int32_t>::max())
        raiseError(ErrOverflow);
    return static_cast<int32_t>(group);
}

std::shared_ptr<StdPicture> Icons::icon(const QString &picOver, const QString &size, int32_t index)
{
    const double sizeValue = Variant(size).toDouble();
    const double look = Variant(picOver).toDouble();
    const int32_t pixels = sizeValue == 32 ? 32 : 16;
    return LoadResIcon(Variant::fromLong(groupOf(look, index)), pixels, LoadFlags, 0, 0);
}

// --- face --------------------------------------------------------------------

void Icons::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size() != QSize(FaceSize, FaceSize))
        resize(FaceSize, FaceSize);
}

void Icons::drawFace()
{
    m_surface = QImage(FaceSize, FaceSize, QImage::Format_RGB32);
    gdi::DeviceContext dc(&m_surface);
    dc.fillRect(gdi::Rect{0, 0, FaceSize, FaceSize}, gdi::getSysColorBrush(gdi::ColorBtnFace));
    dc.drawImage(3, 3, StockIcons::render(EmblemGroup, QSize(32, 32)));
    gdi::Rect frame{0, 0, FaceSize, FaceSize};
    dc.drawEdge(frame, gdi::EdgeRaised, gdi::BfRect);
}

void Icons::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

} // namespace ostrevo
