#pragma once

#include <QImage>

namespace ostrevo
{

// The message box's icons, our own artwork: seven 32 × 32 cells side by side
// (critical, exclamation, information, question, user, security, find) on
// pure green, which the box leaves transparent.
namespace IconStrip
{

constexpr int CellSize = 32;
constexpr int CellCount = 7;
constexpr unsigned TransparentKey = 0x00FF00; // RGB(0, 255, 0) as 0x00BBGGRR

QImage image();

} // namespace IconStrip
} // namespace ostrevo
