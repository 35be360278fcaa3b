#pragma once

#include "platform/com/Variant.h"

#include <QString>
#include <QWidget>

namespace kalvento
{

// The most ReadURL takes from a server; anything beyond is cut off.
inline constexpr qsizetype ReadURLLimit = 524288;

// Fetches a short Windows-1252 text by URL (never from a cache, never through a proxy) and returns
// it as a text Variant without its first 4 characters. When fewer than 4 characters arrive (no
// connection, an error from the server, an empty file) the text is empty. Meanwhile updateWindow,
// if given, shows the hourglass.
com::Variant ReadURL(const QString &url, QWidget *updateWindow);

} // namespace kalvento
