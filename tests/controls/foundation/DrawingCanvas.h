#pragma once

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/ObjectTable.h"

#include <QImage>
#include <QStringList>
#include <map>

// A surface with its device context for the painter tests, and a pixel
// picture of it: one character per pixel from a legend, '?' for any other
// colour, rows joined by '|', so that a whole frame compares at a glance.
class DrawingCanvas
{
public:
    DrawingCanvas(int width, int height, gdi::ColorRef fill)
        : m_image(width, height, QImage::Format_RGB32), m_dc(&m_image)
    {
        m_image.fill(QColor(gdi::redOf(fill), gdi::greenOf(fill), gdi::blueOf(fill)));
    }

    gdi::DeviceContext &dc() { return m_dc; }
    gdi::Handle handle() const { return m_dc.handle(); }
    const QImage &image() const { return m_image; }

    gdi::ColorRef at(int x, int y) const
    {
        const QRgb p = m_image.pixel(x, y);
        return gdi::rgb(qRed(p), qGreen(p), qBlue(p));
    }

    QString picture(const std::map<gdi::ColorRef, char> &legend) const
    {
        QStringList rows;
        for (int y = 0; y < m_image.height(); ++y) {
            QString row;
            for (int x = 0; x < m_image.width(); ++x) {
                const auto it = legend.find(at(x, y));
                row += QLatin1Char(it == legend.end() ? '?' : it->second);
            }
            rows << row;
        }
        return rows.join(QLatin1Char('|'));
    }

    bool stockBlackPenSelected() const
    {
        return m_dc.currentObject(gdi::ObjectKind::Pen) == gdi::getStockObject(gdi::BlackPen);
    }

private:
    QImage m_image;
    gdi::DeviceContext m_dc;
};
