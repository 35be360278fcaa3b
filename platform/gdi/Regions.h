#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Rect.h"

#include <QPoint>
#include <QRegion>
#include <map>
#include <utility>
#include <vector>

// Region objects: sets of whole pixels, kept as QRegion behind a handle.
namespace gdi
{

// CreateRectRgn: the pixels left <= x < right, top <= y < bottom.
Handle createRectRgn(int left, int top, int right, int bottom);
Handle createRectRgnIndirect(const Rect &rect);
// CreateRoundRectRgn: the pixels left <= x < right, top <= y < bottom, as for
// a rectangle region, with the corners cut by an ellipse of ellipseWidth x
// ellipseHeight. Below 2 either way it is a plain rectangle.
Handle createRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
// CreateEllipticRgn: the round rectangle whose corner ellipse is the whole box.
Handle createEllipticRgn(int left, int top, int right, int bottom);
// CreatePolygonRgn with fill mode Alternate (1) or Winding (2). Pixel (x, y)
// belongs to the region when the point (x, y) lies inside the polygon; points
// on a left or top edge count as inside, on a right or bottom edge as outside,
// so the polygon (0,0) (4,0) (4,4) (0,4) is the rectangle region (0, 0, 4, 4).
Handle createPolygonRgn(const std::vector<QPoint> &points, int fillMode);
// A region object holding a copy of a Qt region.
Handle createRegion(const QRegion &region);

// CombineRgn: dest := src1 op src2 (RgnCopy ignores src2). Returns the kind of
// the result, or RgnError for an unknown handle or mode.
int combineRgn(Handle dest, Handle src1, Handle src2, int mode);
int offsetRgn(Handle region, int dx, int dy);
bool setRectRgn(Handle region, int left, int top, int right, int bottom);
bool ptInRegion(Handle region, int x, int y);
bool rectInRegion(Handle region, const Rect &rect);
bool equalRgn(Handle region1, Handle region2);
// GetRgnBox: the bounding rectangle (empty for an empty region) and the kind.
int getRgnBox(Handle region, Rect &box);

// The pixels of a region object (an empty region for an unknown handle).
QRegion regionOf(Handle region);
bool isRegion(Handle region);

// ---- Pixel sets, shared with the device context ----------------------------

int regionKind(const QRegion &region);
QRegion rectRegion(int left, int top, int right, int bottom);
QRegion roundRectRegion(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
QRegion polygonRegion(const std::vector<QPoint> &points, int fillMode);
// A region from spans x0 <= x < x1 per row, in any order, overlapping or not.
QRegion regionFromRowSpans(std::map<int, std::vector<std::pair<int, int>>> rows);
// The pixels of region within w pixels of its left or right border or within
// h pixels of its top or bottom border (what FrameRgn paints).
QRegion frameOf(const QRegion &region, int w, int h);

} // namespace gdi
