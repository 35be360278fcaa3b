#pragma once

#include <QString>
#include <cstdint>

namespace kalvento
{

// The first recorded layout of a form or of one of its controls. A form
// record fills Name and the two inner sizes; a control record the first
// seven fields. Values are in the form's units (twips).
struct LayoutRecord {
    QString Name;
    int32_t Index = 0;
    QString Owner;
    int32_t Top = 0;
    int32_t Left = 0;
    int32_t Height = 0;
    int32_t Width = 0;
    int32_t ScaleHeight = 0;
    int32_t ScaleWidth = 0;
};

} // namespace kalvento
