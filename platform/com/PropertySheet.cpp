#include "platform/com/PropertySheet.h"

#include "platform/com/AutomationError.h"
#include "platform/com/ControlHost.h"
#include "platform/com/PropertyPage.h"
#include "platform/runtime/FontSubstitutes.h"

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace com
{

namespace
{

constexpr int ErrCannotCreateObject = 429;

// A page of the library that serves the class: its name after the library's prefix.
QString pageProgId(const QString &classProgId, const QString &page)
{
    const int dot = classProgId.indexOf(QLatin1Char('.'));
    return dot < 0 ? page : classProgId.left(dot + 1) + page;
}

} // namespace

bool PropertySheet::isPlatformPage(const QString &name)
{
    return name == QLatin1String("StandardColor") || name == QLatin1String("StandardFont") ||
           name == QLatin1String("StandardPicture");
}

PropertySheet::PropertySheet(std::vector<AutomationObject *> selection, QWidget *parent)
    : QDialog(parent), m_tabs(new QTabWidget(this))
{
    setObjectName(QStringLiteral("PropertySheet"));
    setWindowTitle(QStringLiteral("Eigenschaftenseiten"));
    // The pages were laid out in the forms' design font; they take it from here.
    setFont(rt::FontSubstitutes::formFont());
    if (selection.empty() || !selection.front())
        raiseError(91, QStringLiteral("Objektvariable nicht festgelegt"));
    const TypeInfo &info = selection.front()->typeInfo();
    for (const QString &name : info.propertyPages) {
        if (isPlatformPage(name))
            continue;
        const QString progId = pageProgId(info.progId, name);
        std::unique_ptr<AutomationObject> object = ControlHost::createObject(progId);
        auto *page = dynamic_cast<PropertyPage *>(object.get());
        if (!page)
            raiseError(ErrCannotCreateObject,
                       QStringLiteral("ActiveX-Komponente kann kein Objekt erstellen (%1)").arg(progId));
        // Laid out by hand at its design size; the tab must not squeeze it.
        page->setMinimumSize(page->size());
        m_tabs->addTab(page, page->windowTitle());
        object.release(); // the tab widget owns it now
        connect(page, &PropertyPage::changedChanged, this, &PropertySheet::updateApply);
    }
    if (m_tabs->count() == 0)
        raiseError(ErrInvalidCall, QStringLiteral("%1 hat keine Eigenschaftenseiten").arg(info.className));
    for (PropertyPage *page : pages())
        page->setSelectedControls(selection);

    auto *buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    m_cancel = buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    m_apply = buttons->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::ApplyRole);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] {
        if (applyPages())
            accept();
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_apply, &QPushButton::clicked, this, [this] { applyPages(); });

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    updateApply();
}

PropertySheet::~PropertySheet() = default;

std::vector<PropertyPage *> PropertySheet::pages() const
{
    std::vector<PropertyPage *> shown;
    for (int i = 0; i < m_tabs->count(); ++i)
        shown.push_back(static_cast<PropertyPage *>(m_tabs->widget(i)));
    return shown;
}

bool PropertySheet::applyPages()
{
    for (PropertyPage *page : pages()) {
        if (!page->changed())
            continue;
        // An error may not cross the event loop: it is shown, and the sheet stays open.
        try {
            page->apply();
        } catch (const AutomationError &error) {
            m_tabs->setCurrentWidget(page);
            QMessageBox::warning(this, windowTitle(), error.description());
            updateApply();
            return false;
        }
    }
    updateApply();
    return true;
}

void PropertySheet::updateApply()
{
    bool anyChanged = false;
    for (const PropertyPage *page : pages())
        anyChanged = anyChanged || page->changed();
    if (m_apply)
        m_apply->setEnabled(anyChanged);
}

} // namespace com
