#include "controls/gauges/Settings.h"

#include "platform/com/AutomationError.h"
#include "platform/runtime/Twips.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>

namespace ostrevo
{

namespace
{

// The item index is the bar's Style.
const QStringList ModeEntries = {QStringLiteral("Standart"),
                                 QStringLiteral("Smooth"),
                                 QStringLiteral("ValueDependant"),
                                 QStringLiteral("SmoothDoubleColor"),
                                 QStringLiteral("DoubleColor"),
                                 QStringLiteral("XP Style"),
                                 QStringLiteral("XP Style Small"),
                                 QStringLiteral("CustomPictureLandscape"),
                                 QStringLiteral("CustomPictureStretch"),
                                 QStringLiteral("CustomPictureTile")};

constexpr int32_t GrayedValue = 2; // a check box's value in its grayed state

// Design-time layout in twips; the list and the check boxes sit inside their frames.
const QSize PageSize(5820, 3225);
const QRect Frame3Rect(135, 45, 2280, 2970);
const QRect LstModesRect(135, 225, 2025, 2595);
const QRect Frame1Rect(2520, 45, 3105, 3000);
const QRect ChkShowTextRect(360, 405, 1065, 285);
const QRect ChkXPcRect(360, 720, 1095, 285);
const QRect ChkAutoRedrawRect(360, 1035, 1230, 285);

} // namespace

Settings::Settings()
    : m_lstModes(new QListWidget), m_chkShowText(new QCheckBox(QStringLiteral("ShowText"))),
      m_chkXPc(new QCheckBox(QStringLiteral("XP-Blue"))),
      m_chkAutoRedraw(new QCheckBox(QStringLiteral("AutoRedraw")))
{
    setObjectName(QStringLiteral("Settings"));
    setWindowTitle(QStringLiteral("Settings"));
    resize(rt::Twips::toPixels(PageSize));
    auto *modes = new QGroupBox(QStringLiteral("Mode:"), this);
    modes->setObjectName(QStringLiteral("Frame3"));
    modes->setGeometry(rt::Twips::toPixels(Frame3Rect));
    auto *settings = new QGroupBox(QStringLiteral("Settings"), this);
    settings->setObjectName(QStringLiteral("Frame1"));
    settings->setGeometry(rt::Twips::toPixels(Frame1Rect));
    auto place = [](QWidget *widget, QWidget *frame, const char *name, const QRect &twips) {
        widget->setParent(frame);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(rt::Twips::toPixels(twips));
    };
    m_lstModes->addItems(ModeEntries);
    place(m_lstModes, modes, "lstModes", LstModesRect);
    place(m_chkShowText, settings, "chkShowText", ChkShowTextRect);
    place(m_chkXPc, settings, "chkXPc", ChkXPcRect);
    place(m_chkAutoRedraw, settings, "chkAutoRedraw", ChkAutoRedrawRect);

    auto markChanged = [this] { setChanged(true); };
    connect(m_lstModes, &QListWidget::currentRowChanged, this, markChanged);
    connect(m_chkShowText, &QCheckBox::toggled, this, markChanged);
    // The XP box shows a BarXPcolor of 2 grayed; leaving gray for checked is a change too.
    connect(m_chkXPc, &QCheckBox::stateChanged, this, markChanged);
    connect(m_chkAutoRedraw, &QCheckBox::toggled, this, markChanged);
    // Only a loaded value grays the box: a click takes it out, and clicks go on with two states.
    connect(m_chkXPc, &QCheckBox::clicked, this, [this] { m_chkXPc->setTristate(false); });
}

void Settings::describe(com::Dispatcher<Settings> &d)
{
    d.identity(com::TypeInfo::forClass(QStringLiteral("Settings"), QStringLiteral("Quiv_Tools.Settings"),
                                       QStringLiteral("{7B835342-1903-4E44-B271-81F172EEE93C}"),
                                       QStringLiteral("{5A77DEC1-6BDA-4AE7-9794-FBB3658AA2B9}")));
}

// Only the first selected bar is shown and written.
void Settings::selectionChanged()
{
    if (selectedControls().empty())
        return;
    com::AutomationObject &bar = *selectedControls().front();
    m_chkShowText->setChecked(bar.get(QStringLiteral("ShowText")).toBool());
    m_chkAutoRedraw->setChecked(bar.get(QStringLiteral("AutoRedraw")).toBool());
    // A style the list does not know selects no item, so that applying leaves it alone.
    const int style = bar.get(QStringLiteral("Style")).toLong();
    m_lstModes->setCurrentRow(style >= 0 && style < m_lstModes->count() ? style : -1);
    // 2 is the grayed box; the bar paints blue chunks for any colour but green.
    const int32_t xpColor = bar.get(QStringLiteral("BarXPcolor")).toLong();
    if (xpColor == GrayedValue) {
        m_chkXPc->setCheckState(Qt::PartiallyChecked);
    } else {
        m_chkXPc->setTristate(false);
        m_chkXPc->setChecked(xpColor != 0);
    }
}

void Settings::applyChanges()
{
    if (selectedControls().empty())
        return;
    com::AutomationObject &bar = *selectedControls().front();
    bar.let(QStringLiteral("ShowText"), com::Variant::fromBool(m_chkShowText->isChecked()));
    bar.let(QStringLiteral("AutoRedraw"), com::Variant::fromBool(m_chkAutoRedraw->isChecked()));
    // Without a chosen item there is no style to write; -1 would leave the bar drawing nothing.
    if (m_lstModes->currentRow() >= 0)
        bar.let(QStringLiteral("Style"), com::Variant::fromLong(m_lstModes->currentRow()));
    // The box's value as a number: 0 cleared, 1 checked, 2 grayed.
    const Qt::CheckState xp = m_chkXPc->checkState();
    bar.let(QStringLiteral("BarXPcolor"), com::Variant::fromLong(xp == Qt::PartiallyChecked ? GrayedValue
                                                                 : xp == Qt::Checked        ? 1
                                                                                            : 0));
}

} // namespace ostrevo
