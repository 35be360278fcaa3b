#include "platform/comdlg/CommonDialog.h"

#include "platform/com/AutomationError.h"
#include "platform/comdlg/DialogBackend.h"

#include <QApplication>
#include <QPrinter>
#include <algorithm>

namespace comdlg
{

CommonDialog::CommonDialog(QWidget *owner) : QObject(owner), m_owner(owner) {}

CommonDialog::~CommonDialog() = default;

QString CommonDialog::FileTitle() const
{
    // Names may come from stored data with either separator.
    const qsizetype slash = std::max(m_fileName.lastIndexOf(u'/'), m_fileName.lastIndexOf(u'\\'));
    return m_fileName.mid(slash + 1);
}

QWidget *CommonDialog::dialogParent() const
{
    return m_owner ? m_owner.data() : QApplication::activeWindow();
}

void CommonDialog::cancelled()
{
    if (m_cancelError)
        com::raise(com::ErrCancel, com::AutomationError::standardText(com::ErrCancel));
}

void CommonDialog::ShowOpen()
{
    const auto name = rt::ServiceSlot<DialogBackend>::current().openFile(dialogParent(), m_title, m_filter,
                                                                         m_filterIndex, m_fileName, m_flags);
    if (!name) {
        cancelled();
        return;
    }
    m_fileName = *name;
}

void CommonDialog::ShowSave()
{
    const auto name = rt::ServiceSlot<DialogBackend>::current().saveFile(dialogParent(), m_title, m_filter,
                                                                         m_filterIndex, m_fileName, m_flags);
    if (!name) {
        cancelled();
        return;
    }
    m_fileName = *name;
}

void CommonDialog::ShowColor()
{
    // Without the flag the dialog starts from black, whatever Color holds.
    const uint32_t initial = (m_flags & ColorRgbInit) ? m_color : 0;
    const auto chosen = rt::ServiceSlot<DialogBackend>::current().color(dialogParent(), initial, m_flags);
    if (!chosen) {
        cancelled();
        return;
    }
    m_color = *chosen;
}

void CommonDialog::ShowFont()
{
    FontChoice initial;
    initial.name = m_fontName;
    initial.size = m_fontSize;
    initial.bold = m_fontBold;
    initial.italic = m_fontItalic;
    initial.underline = m_fontUnderline;
    initial.strikethru = m_fontStrikethru;
    initial.color = m_color;
    const auto chosen = rt::ServiceSlot<DialogBackend>::current().font(dialogParent(), initial, m_flags);
    if (!chosen) {
        cancelled();
        return;
    }
    m_fontName = chosen->name;
    m_fontSize = chosen->size;
    m_fontBold = chosen->bold;
    m_fontItalic = chosen->italic;
    // The effects are only offered, and so only taken, with their flag.
    if (m_flags & FontEffects) {
        m_fontUnderline = chosen->underline;
        m_fontStrikethru = chosen->strikethru;
        m_color = chosen->color;
    }
}

void CommonDialog::ShowPrinter()
{
    auto chosen = rt::ServiceSlot<DialogBackend>::current().print(dialogParent(), m_title, m_flags);
    if (!chosen.value) {
        cancelled();
        return;
    }
    m_printer = std::move(*chosen.value);
}

void CommonDialog::setAction(int action)
{
    if (action < 1 || action > 4)
        com::raise(com::ErrInvalidPropertyValue,
                   com::AutomationError::standardText(com::ErrInvalidPropertyValue));
    m_action = action;
    switch (action) {
    case 1:
        ShowOpen();
        break;
    case 2:
        ShowSave();
        break;
    case 3:
        ShowColor();
        break;
    case 4:
        ShowFont();
        break;
    }
}

} // namespace comdlg
