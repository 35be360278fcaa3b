#pragma once

#include <QString>
#include <cstdint>

namespace comdlg
{

// The German text of a common dialog's error: 32755 for a cancelled dialog,
// or one of the extended error codes the dialogs report. Empty for a code the
// table does not know.
QString errorText(uint32_t code);

} // namespace comdlg
