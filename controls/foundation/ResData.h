#pragma once

#include "platform/com/Variant.h"

#include <QByteArray>

namespace ostrevo
{

// LoadResData for the library's own resources: the bytes of resource id
// (a number, or "#n" as text) of the given type ("WAVE"; types compare
// without regard to case). Raises error 326 when there is no such resource.
QByteArray LoadResData(const com::Variant &id, const com::Variant &type);

} // namespace ostrevo
