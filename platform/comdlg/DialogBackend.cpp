#include "platform/comdlg/DialogBackend.h"

#include "platform/comdlg/QtDialogs.h"

namespace comdlg {

namespace {
std::unique_ptr<DialogBackend> &installed()
{
    static std::unique_ptr<DialogBackend> backend;
    return backend;
}
} // namespace

DialogBackend::~DialogBackend() = default;

DialogBackend &DialogBackend::current()
{
    // Created on first use, so a test that installs its own never builds Qt's.
    if (!installed())
        installed() = std::make_unique<QtDialogs>();
    return *installed();
}

void DialogBackend::install(std::unique_ptr<DialogBackend> backend) { installed() = std::move(backend); }

} // namespace comdlg
