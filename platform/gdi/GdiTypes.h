#pragma once

#include <cstdint>

// The handle-based drawing API the controls were written against, with the
// platform's own numbers, so that their drawing code translates line by line.
namespace gdi
{

// A drawing object: pen, brush, font, bitmap, region or device context. 0 is none.
using Handle = uint32_t;
// A colour as the platform stores it: 0x00BBGGRR.
using ColorRef = uint32_t;

constexpr ColorRef ClrInvalid = 0xFFFFFFFF;

constexpr ColorRef rgb(int r, int g, int b)
{
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int redOf(ColorRef c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int greenOf(ColorRef c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(ColorRef c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

enum class ObjectKind { None, Pen, Brush, Font, Bitmap, Region, DeviceContext };

// Stock objects, numbered as GetStockObject numbers them.
enum StockObject : int {
    WhiteBrush = 0,
    LtGrayBrush = 1,
    GrayBrush = 2,
    DkGrayBrush = 3,
    BlackBrush = 4,
    NullBrush = 5,
    HollowBrush = NullBrush,
    WhitePen = 6,
    BlackPen = 7,
    NullPen = 8,
    OemFixedFont = 10,
    AnsiFixedFont = 11,
    AnsiVarFont = 12,
    SystemFont = 13,
    DeviceDefaultFont = 14,
    SystemFixedFont = 16,
    DefaultGuiFont = 17,
    DcBrush = 18,
    DcPen = 19,
};

enum PenStyle : int {
    PsSolid = 0,
    PsDash = 1,
    PsDot = 2,
    PsDashDot = 3,
    PsDashDotDot = 4,
    PsNull = 5,
    PsInsideFrame = 6,
};

// Binary raster operations (SetROP2).
enum Rop2 : int {
    R2Black = 1,
    R2NotMergePen = 2,
    R2MaskNotPen = 3,
    R2NotCopyPen = 4,
    R2MaskPenNot = 5,
    R2Not = 6,
    R2XorPen = 7,
    R2NotMaskPen = 8,
    R2MaskPen = 9,
    R2NotXorPen = 10,
    R2Nop = 11,
    R2MergeNotPen = 12,
    R2CopyPen = 13,
    R2MergePenNot = 14,
    R2MergePen = 15,
    R2White = 16,
};

// Ternary raster operations (BitBlt, StretchBlt, PatBlt).
enum Rop3 : uint32_t {
    SrcCopy = 0x00CC0020,
    SrcPaint = 0x00EE0086,
    SrcAnd = 0x008800C6,
    SrcInvert = 0x00660046,
    SrcErase = 0x00440328,
    NotSrcCopy = 0x00330008,
    NotSrcErase = 0x001100A6,
    MergeCopy = 0x00C000CA,
    MergePaint = 0x00BB0226,
    PatCopy = 0x00F00021,
    PatPaint = 0x00FB0A09,
    PatInvert = 0x005A0049,
    DstInvert = 0x00550009,
    Blackness = 0x00000042,
    Whiteness = 0x00FF0062,
};

enum BkMode : int { Transparent = 1, Opaque = 2 };

enum PolyFillMode : int { Alternate = 1, Winding = 2 };

// CombineRgn modes and the region kinds the region functions return.
enum CombineMode : int { RgnAnd = 1, RgnOr = 2, RgnXor = 3, RgnDiff = 4, RgnCopy = 5 };
enum RegionKind : int { RgnError = 0, NullRegion = 1, SimpleRegion = 2, ComplexRegion = 3 };

// DrawEdge edge kinds and flags.
enum EdgeKind : unsigned {
    BdrRaisedOuter = 0x1,
    BdrSunkenOuter = 0x2,
    BdrRaisedInner = 0x4,
    BdrSunkenInner = 0x8,
    BdrOuter = BdrRaisedOuter | BdrSunkenOuter,
    BdrInner = BdrRaisedInner | BdrSunkenInner,
    EdgeRaised = BdrRaisedOuter | BdrRaisedInner,
    EdgeSunken = BdrSunkenOuter | BdrSunkenInner,
    EdgeEtched = BdrSunkenOuter | BdrRaisedInner,
    EdgeBump = BdrRaisedOuter | BdrSunkenInner,
};
enum EdgeFlag : unsigned {
    BfLeft = 0x1,
    BfTop = 0x2,
    BfRight = 0x4,
    BfBottom = 0x8,
    BfTopLeft = BfTop | BfLeft,
    BfTopRight = BfTop | BfRight,
    BfBottomLeft = BfBottom | BfLeft,
    BfBottomRight = BfBottom | BfRight,
    BfRect = BfLeft | BfTop | BfRight | BfBottom,
    BfDiagonal = 0x10,
    BfMiddle = 0x800,
    BfSoft = 0x1000,
    BfAdjust = 0x2000,
    BfFlat = 0x4000,
    BfMono = 0x8000,
};

// DrawText formats.
enum TextFormat : unsigned {
    DtTop = 0x0,
    DtLeft = 0x0,
    DtCenter = 0x1,
    DtRight = 0x2,
    DtVCenter = 0x4,
    DtBottom = 0x8,
    DtWordBreak = 0x10,
    DtSingleLine = 0x20,
    DtExpandTabs = 0x40,
    DtNoClip = 0x100,
    DtExternalLeading = 0x200,
    DtCalcRect = 0x400,
    DtNoPrefix = 0x800,
    DtEndEllipsis = 0x8000,
    DtHidePrefix = 0x100000,
};

// SetTextAlign.
enum TextAlign : unsigned {
    TaLeft = 0,
    TaTop = 0,
    TaUpdateCp = 1,
    TaRight = 2,
    TaCenter = 6,
    TaBottom = 8,
    TaBaseline = 24,
};

} // namespace gdi
