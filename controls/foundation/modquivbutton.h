#pragma once

#include "platform/com/Variant.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/Rect.h"

#include <QString>
#include <cstdint>

class QWidget;

namespace ostrevo
{

class PictureBox;

// The painting routines the library's controls share. The controls call them
// with their own variables: every reference argument is the caller's
// variable, and where a routine writes to it the caller sees the change.
// Colours are OLE colours (Long), negative for system colours.
namespace modquivbutton
{

// True while the cursor lies in the window's screen rectangle, all four
// bounds included (so the column and row just past right and bottom count).
bool IsMouseInto(const QWidget *hWnd);

// A negative colour is a system colour index with the high bit set.
int32_t OleColorToRGB(int32_t colour);

// DrawFlag 1 draws a frame with rounded corners, any other value nothing.
// The six colours are turned into RGB in place; the last two are not read.
void DrawBorder3D(gdi::Handle &hDC, gdi::Rect &r, int32_t &DrawFlag, int32_t &Colour1, int32_t &Colour2,
                  int32_t &Colour3, int32_t &Colour4, int32_t &Colour5, int32_t &Colour6, int32_t &PenStyle,
                  int32_t &PenWidth, int32_t &Reserved1, int32_t &Reserved2);

// Look 1 bevel, 2 double bevel, 3 outline with two bevels, 4 rounded frame;
// any other look draws nothing. The six colours are turned into RGB in place.
void DrawButtonBorder(gdi::Handle &hDC, gdi::Rect &r, int32_t &Look, int32_t &Colour1, int32_t &Colour2,
                      int32_t &Colour3, int32_t &Colour4, int32_t &Colour5, int32_t &Colour6,
                      int32_t &PenStyle, int32_t &PenWidth);

// A greyed relief of source in target around the base colour; target's
// outermost rows and columns stay as they are. Pictures of more than 501
// pixels a side raise error 9.
void EmbossPicture(PictureBox &source, PictureBox &target, com::Variant &base);
// Reads the picture box's pixels into the emboss filter's buffer.
void ReadPixels(PictureBox &picture);

int16_t GetRed(int32_t colour);
int16_t GetGreen(int32_t colour);
int16_t GetBlue(int32_t colour);

// Direction 1 paints rows 1 to r.bottom from colour1 down to colour2,
// direction 2 the same rows from the bottom up; row 0 stays as it is.
void DrawGradient(gdi::Handle &hDC, gdi::Rect &r, int32_t &colour1, int32_t &colour2,
                  com::Variant &direction);

// The channels read through the colour's 32-digit binary text.
int16_t RedFromBin(int32_t &colour);
int16_t GreenFromBin(int32_t &colour);
int16_t BlueFromBin(int32_t &colour);

// value becomes its absolute value; the text is padded with "0" to length
// digits unless length is 0. A length shorter than the text raises error 5.
QString DecToBin(double &value, int16_t &length);
double BinToDec(QString &text);

} // namespace modquivbutton
} // namespace ostrevo
