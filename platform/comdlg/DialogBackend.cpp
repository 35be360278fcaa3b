#include "platform/comdlg/DialogBackend.h"

#include "platform/comdlg/QtDialogs.h"

namespace comdlg
{

DialogBackend::~DialogBackend() = default;

} // namespace comdlg

KV_SERVICE_SLOT_STORAGE(comdlg::DialogBackend)

// Created on first use, so a test that installs its own never builds Qt's.
template <> std::unique_ptr<comdlg::DialogBackend> rt::ServiceSlot<comdlg::DialogBackend>::makeDefault()
{
    return std::make_unique<comdlg::QtDialogs>();
}
