#pragma once

#include "diary/forms/LayoutRecord.h"
#include "diary/forms/ResizableForm.h"

#include <vector>

namespace kalvento
{

// Keeps the controls of a form in proportion to the form's inner size. The
// first layout recorded for a form stays the reference for the whole run,
// so growing and shrinking back never drifts.
class FormResizer
{
public:
    void ResizeForm(ResizableForm &form);

    int FormCount() const { return int(m_forms.size()); }
    int ControlCount() const { return int(m_controls.size()); }
    const std::vector<LayoutRecord> &FormRecords() const { return m_forms; }
    const std::vector<LayoutRecord> &ControlRecords() const { return m_controls; }

    // The program's one resizer, alive for the whole run.
    static FormResizer &instance();

private:
    int FindFormIndex(const ResizableForm &form) const;
    int RegisterForm(ResizableForm &form);
    int FindControlIndex(const ResizableControl &control, const QString &owner) const;
    int RegisterControl(ResizableControl &control, const QString &owner);
    int WidthPercent(ResizableForm &form);
    int HeightPercent(ResizableForm &form);
    void RescaleControl(ResizableControl &control, ResizableForm &form);
    int recordFor(ResizableForm &form);

    std::vector<LayoutRecord> m_forms;
    std::vector<LayoutRecord> m_controls;
    bool m_busy = false;
};

} // namespace kalvento
