#include "platform/gdi/Regions.h"

#include "platform/gdi/ObjectTable.h"

#include <algorithm>
#include <cstdlib>

namespace gdi
{

namespace
{

QRegion *regionPtr(Handle region)
{
    RegionData *data = ObjectTable::instance().findAs<RegionData>(region);
    return data ? &data->region : nullptr;
}

int64_t ceilDiv(int64_t a, int64_t b) // b > 0
{
    return a >= 0 ? (a + b - 1) / b : -((-a) / b);
}

// Adds one row of spans to rects, merging it into the band above when that
// band ends on this row with exactly the same spans.
class BandBuilder
{
public:
    void addRow(int y, const std::vector<std::pair<int, int>> &spans)
    {
        if (spans.empty())
            return;
        if (!m_lastSpans.empty() && m_lastBottom == y && spans == m_lastSpans) {
            for (size_t i = m_bandStart; i < m_rects.size(); ++i)
                m_rects[i].setBottom(y);
        } else {
            m_bandStart = m_rects.size();
            for (const auto &[x0, x1] : spans)
                m_rects.emplace_back(x0, y, x1 - x0, 1);
            m_lastSpans = spans;
        }
        m_lastBottom = y + 1;
    }
    void breakBand() { m_lastSpans.clear(); }
    QRegion region() const
    {
        QRegion r;
        r.setRects(m_rects.data(), static_cast<int>(m_rects.size()));
        return r;
    }

private:
    std::vector<QRect> m_rects;
    std::vector<std::pair<int, int>> m_lastSpans;
    size_t m_bandStart = 0;
    int m_lastBottom = 0;
};

} // namespace

int regionKind(const QRegion &region)
{
    if (region.isEmpty())
        return NullRegion;
    return region.rectCount() == 1 ? SimpleRegion : ComplexRegion;
}

QRegion rectRegion(int left, int top, int right, int bottom)
{
    const Rect r = Rect{left, top, right, bottom}.normalized();
    return r.isEmpty() ? QRegion() : QRegion(r.toQRect());
}

QRegion roundRectRegion(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    // Right and bottom are exclusive, as for rectangle regions.
    const Rect box = Rect{left, top, right, bottom}.normalized();
    const int l = box.left, t = box.top, r = box.right, b = box.bottom;
    const int w = std::min(r - l, std::abs(ellipseWidth));
    const int h = std::min(b - t, std::abs(ellipseHeight));
    if (w < 2 || h < 2)
        return rectRegion(l, t, r, b);

    // inset[i]: how far row i of the corner ellipse's height starts in from the
    // box's sides. The lower half comes from an integer ellipse walk, the
    // upper half mirrors it.
    std::vector<int> inset(static_cast<size_t>(h), -1);
    const int64_t a = w - 1;
    const int64_t c = h - 1;
    const int64_t aa8 = 8 * a * a;
    const int64_t cc8 = 8 * c * c;
    int64_t dx = 4 * c * c * (1 - a);
    int64_t dy = 4 * a * a * (1 + c % 2);
    int64_t err = dx + dy + a * a * (c % 2);
    int x = 0;
    int y = h / 2;
    inset[static_cast<size_t>(y)] = 0;
    while (x <= w / 2) {
        const int64_t e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += cc8;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += aa8;
            err += dy;
            if (y < h)
                inset[static_cast<size_t>(y)] = x;
        }
    }
    for (int i = h / 2 + 1; i < h; ++i) {
        if (inset[static_cast<size_t>(i)] < 0)
            inset[static_cast<size_t>(i)] = inset[static_cast<size_t>(i - 1)];
    }
    for (int i = 0; i < h / 2; ++i)
        inset[static_cast<size_t>(i)] = inset[static_cast<size_t>(c - i)];

    BandBuilder bands;
    for (int i = 0; i < h; ++i) {
        const int in = inset[static_cast<size_t>(i)];
        if (l + in >= r - in)
            continue;
        const std::vector<std::pair<int, int>> spans{{l + in, r - in}};
        if (i < h / 2) {
            bands.addRow(t + i, spans);
        } else if (i == h / 2) {
            // The straight sides: from the middle of the top corners down to
            // the middle of the bottom corners.
            for (int row = t + h / 2; row <= b - h + i; ++row)
                bands.addRow(row, spans);
        } else {
            bands.addRow(b - h + i, spans);
        }
    }
    return bands.region();
}

QRegion polygonRegion(const std::vector<QPoint> &points, int fillMode)
{
    struct Edge {
        int64_t x0, y0, x1, y1; // y0 < y1
        int direction;
    };
    std::vector<Edge> edges;
    const size_t n = points.size();
    if (n < 2)
        return QRegion();
    int yMin = points[0].y(), yMax = points[0].y();
    for (size_t i = 0; i < n; ++i) {
        const QPoint p = points[i];
        const QPoint q = points[(i + 1) % n];
        yMin = std::min(yMin, p.y());
        yMax = std::max(yMax, p.y());
        if (p.y() == q.y())
            continue;
        if (p.y() < q.y())
            edges.push_back({p.x(), p.y(), q.x(), q.y(), 1});
        else
            edges.push_back({q.x(), q.y(), p.x(), p.y(), -1});
    }

    BandBuilder bands;
    std::vector<std::pair<int64_t, int>> crossings;
    std::vector<std::pair<int, int>> spans;
    for (int y = yMin; y < yMax; ++y) {
        crossings.clear();
        for (const Edge &e : edges) {
            if (y < e.y0 || y >= e.y1)
                continue;
            // The first pixel at or right of the edge: points on a left edge
            // are inside, on a right edge outside.
            const int64_t x = ceilDiv(e.x0 * (e.y1 - e.y0) + (y - e.y0) * (e.x1 - e.x0), e.y1 - e.y0);
            crossings.emplace_back(x, e.direction);
        }
        std::sort(crossings.begin(), crossings.end(),
                  [](const auto &u, const auto &v) { return u.first < v.first; });
        spans.clear();
        const auto addSpan = [&spans](int64_t a, int64_t b) {
            if (a >= b)
                return;
            if (!spans.empty() && spans.back().second >= a)
                spans.back().second = std::max<int>(spans.back().second, static_cast<int>(b));
            else
                spans.emplace_back(static_cast<int>(a), static_cast<int>(b));
        };
        if (fillMode == Winding) {
            int winding = 0;
            int64_t start = 0;
            for (const auto &[x, direction] : crossings) {
                const int before = winding;
                winding += direction;
                if (before == 0 && winding != 0)
                    start = x;
                else if (before != 0 && winding == 0)
                    addSpan(start, x);
            }
        } else {
            for (size_t i = 0; i + 1 < crossings.size(); i += 2)
                addSpan(crossings[i].first, crossings[i + 1].first);
        }
        if (spans.empty())
            bands.breakBand();
        bands.addRow(y, spans);
    }
    return bands.region();
}

QRegion regionFromRowSpans(std::map<int, std::vector<std::pair<int, int>>> rows)
{
    BandBuilder bands;
    std::vector<std::pair<int, int>> merged;
    for (auto &[y, spans] : rows) {
        std::sort(spans.begin(), spans.end());
        merged.clear();
        for (const auto &[x0, x1] : spans) {
            if (x0 >= x1)
                continue;
            if (!merged.empty() && merged.back().second >= x0)
                merged.back().second = std::max(merged.back().second, x1);
            else
                merged.emplace_back(x0, x1);
        }
        bands.addRow(y, merged);
    }
    return bands.region();
}

QRegion frameOf(const QRegion &region, int w, int h)
{
    if (region.isEmpty())
        return QRegion();
    // What stays when the region is shifted w either way and h up and down is
    // its inside; the rest is the frame.
    QRegion inner = region.translated(-w, 0);
    inner &= region.translated(w, 0);
    inner &= region.translated(0, -h);
    inner &= region.translated(0, h);
    return region.subtracted(inner);
}

Handle createRectRgn(int left, int top, int right, int bottom)
{
    return createRegion(rectRegion(left, top, right, bottom));
}

Handle createRectRgnIndirect(const Rect &rect)
{
    return createRectRgn(rect.left, rect.top, rect.right, rect.bottom);
}

Handle createRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight)
{
    return createRegion(roundRectRegion(left, top, right, bottom, ellipseWidth, ellipseHeight));
}

Handle createEllipticRgn(int left, int top, int right, int bottom)
{
    return createRoundRectRgn(left, top, right, bottom, right - left, bottom - top);
}

Handle createPolygonRgn(const std::vector<QPoint> &points, int fillMode)
{
    if (fillMode != Alternate && fillMode != Winding)
        return 0;
    return createRegion(polygonRegion(points, fillMode));
}

Handle createRegion(const QRegion &region)
{
    return ObjectTable::instance().add(RegionData{region});
}

int combineRgn(Handle dest, Handle src1, Handle src2, int mode)
{
    QRegion *d = regionPtr(dest);
    const QRegion *a = regionPtr(src1);
    if (!d || !a || mode < RgnAnd || mode > RgnCopy)
        return RgnError;
    if (mode == RgnCopy) {
        *d = *a;
        return regionKind(*d);
    }
    const QRegion *b = regionPtr(src2);
    if (!b)
        return RgnError;
    switch (mode) {
    case RgnAnd:
        *d = a->intersected(*b);
        break;
    case RgnOr:
        *d = a->united(*b);
        break;
    case RgnXor:
        *d = a->xored(*b);
        break;
    default:
        *d = a->subtracted(*b);
        break;
    }
    return regionKind(*d);
}

int offsetRgn(Handle region, int dx, int dy)
{
    QRegion *r = regionPtr(region);
    if (!r)
        return RgnError;
    r->translate(dx, dy);
    return regionKind(*r);
}

bool setRectRgn(Handle region, int left, int top, int right, int bottom)
{
    QRegion *r = regionPtr(region);
    if (!r)
        return false;
    *r = rectRegion(left, top, right, bottom);
    return true;
}

bool ptInRegion(Handle region, int x, int y)
{
    const QRegion *r = regionPtr(region);
    return r && r->contains(QPoint(x, y));
}

bool rectInRegion(Handle region, const Rect &rect)
{
    const QRegion *r = regionPtr(region);
    const Rect n = rect.normalized();
    return r && !n.isEmpty() && r->intersects(n.toQRect());
}

bool equalRgn(Handle region1, Handle region2)
{
    const QRegion *a = regionPtr(region1);
    const QRegion *b = regionPtr(region2);
    return a && b && *a == *b;
}

int getRgnBox(Handle region, Rect &box)
{
    const QRegion *r = regionPtr(region);
    if (!r)
        return RgnError;
    box = r->isEmpty() ? Rect{} : Rect::fromQRect(r->boundingRect());
    return regionKind(*r);
}

QRegion regionOf(Handle region)
{
    const QRegion *r = regionPtr(region);
    return r ? *r : QRegion();
}

bool isRegion(Handle region)
{
    return regionPtr(region) != nullptr;
}

} // namespace gdi
