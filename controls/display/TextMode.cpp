#include "controls/display/TextMode.h"

#include "platform/com/AutomationError.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/runtime/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>

namespace ostrevo
{

namespace
{

const QStringList ShadowEntries = {QStringLiteral("0 - Schatten Unten Rechts"),
                                   QStringLiteral("1 - Schatten Unten"),
                                   QStringLiteral("2 - Schatten Unten Links"),
                                   QStringLiteral("3 - Schatten Links"),
                                   QStringLiteral("4 - Schatten Oben Links"),
                                   QStringLiteral("5 - Oben"),
                                   QStringLiteral("6 - Oben Rechts"),
                                   QStringLiteral("7 - Rechts"),
                                   QStringLiteral("8 - Standard")};

constexpr int SmallestDistance = 1;
constexpr int LargestScrollDistance = 100;

// Design-time layout in twips, inside the frame.
const QRect FrameRect(120, 120, 5520, 3000);
const QRect LblCaptionRect(240, 360, 1200, 255);
const QRect TxtCaptionRect(1560, 300, 3840, 315);
const QRect LblTextModeRect(240, 840, 1200, 255);
const QRect CbTextModeRect(1560, 780, 3840, 315);
const QRect LblxDistRect(240, 1320, 1200, 255);
const QRect TxtxDistRect(1560, 1260, 840, 315);
const QRect VSxSizeRect(2400, 1260, 255, 315);
const QRect ChkTranspRect(1560, 1740, 2400, 255);
const QRect Label1Rect(240, 2280, 1200, 255);
const QRect TxtTTTRect(1560, 2220, 3840, 315);
const QSize PageSize(5760, 3240);

} // namespace

TextMode::TextMode()
    : m_txtCaption(new QLineEdit), m_cbTextMode(new QComboBox),
      m_txtxDist(new QLineEdit(QStringLiteral("30"))), m_vsxSize(new QScrollBar(Qt::Vertical)),
      m_chkTransp(new QCheckBox(QStringLiteral("Transparent"))), m_txtTTT(new QLineEdit)
{
    setObjectName(QStringLiteral("TextMode"));
    setWindowTitle(QStringLiteral("TextMode"));
    resize(rt::Twips::toPixels(PageSize));
    auto *frame = new QGroupBox(QStringLiteral("3D-Text"), this);
    frame->setGeometry(rt::Twips::toPixels(FrameRect));
    auto place = [frame](QWidget *widget, const char *name, const QRect &twips) {
        widget->setParent(frame);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setGeometry(rt::Twips::toPixels(twips));
    };
    // In tab order.
    place(m_txtCaption, "txtCaption", TxtCaptionRect);
    place(new QLabel(QStringLiteral("Text")), "lblCaption", LblCaptionRect);
    m_cbTextMode->addItems(ShadowEntries);
    place(m_cbTextMode, "cbTextMode", CbTextModeRect);
    place(new QLabel(QStringLiteral("Shadow")), "lblTextMode", LblTextModeRect);
    place(new QLabel(QStringLiteral("Shadow-Size")), "lblxDist", LblxDistRect);
    place(m_txtxDist, "txtxDist", TxtxDistRect);
    m_vsxSize->setRange(SmallestDistance, LargestScrollDistance);
    m_vsxSize->setSingleStep(1);
    m_vsxSize->setPageStep(10);
    m_vsxSize->setValue(30);
    m_vsxSize->setFocusPolicy(Qt::StrongFocus); // a tab stop, as every field of the page
    place(m_vsxSize, "VSxSize", VSxSizeRect);
    place(m_chkTransp, "chkTransp", ChkTranspRect);
    place(new QLabel(QStringLiteral("ToolTipText")), "Label1", Label1Rect);
    place(m_txtTTT, "txtTTT", TxtTTTRect);

    auto markChanged = [this] { setChanged(true); };
    connect(m_cbTextMode, &QComboBox::currentIndexChanged, this, markChanged);
    connect(m_chkTransp, &QCheckBox::toggled, this, markChanged);
    connect(m_txtCaption, &QLineEdit::textChanged, this, markChanged);
    connect(m_txtTTT, &QLineEdit::textChanged, this, markChanged);
    connect(m_txtxDist, &QLineEdit::textChanged, this, &TextMode::txtxDist_Change);
    connect(m_vsxSize, &QScrollBar::valueChanged, this, &TextMode::VSxSize_Change);
}

void TextMode::describe(com::Dispatcher<TextMode> &d)
{
    d.identity(com::TypeInfo::forClass(QStringLiteral("TextMode"), QStringLiteral("Quiv_Tools.TextMode"),
                                       QStringLiteral("{F6AB28C4-BE14-4FFD-B41B-BD8DA0074702}"),
                                       QStringLiteral("{2B250BBD-728C-4CE9-8C32-DECA3B40A1E5}")));
}

void TextMode::selectionChanged()
{
    if (selectedControls().empty())
        return;
    com::AutomationObject &first = *selectedControls().front();
    m_txtxDist->setText(first.get(QStringLiteral("xDist")).toString());
    m_txtCaption->setText(first.get(QStringLiteral("Caption")).toString());
    m_txtTTT->setText(first.get(QStringLiteral("ToolTipText")).toString());
    const int mode = first.get(QStringLiteral("TextMode")).toInteger();
    if (mode < 0 || mode >= m_cbTextMode->count())
        com::raiseError(com::ErrInvalidPropertyValue);
    m_cbTextMode->setCurrentIndex(mode);
    m_chkTransp->setChecked(first.get(QStringLiteral("BackStyle")).toLong() != 0);
}

void TextMode::applyChanges()
{
    const std::pair<const char *, com::Variant> values[] = {
        {"xDist", com::Variant(m_txtxDist->text())},
        {"Caption", com::Variant(m_txtCaption->text())},
        {"ToolTipText", com::Variant(m_txtTTT->text())},
        {"TextMode", com::Variant::fromInteger(int16_t(m_cbTextMode->currentIndex()))},
        {"BackStyle", com::Variant::fromLong(m_chkTransp->isChecked() ? 1 : 0)},
    };
    // A value a control refuses is skipped; the others still go through.
    for (com::AutomationObject *control : selectedControls())
        for (const auto &[name, value] : values) {
            com::ignoringErrors([&] { control->let(QString::fromLatin1(name), value); });
        }
}

void TextMode::txtxDist_Change()
{
    if (m_txtxDist->text().isEmpty()) {
        m_txtxDist->setText(QString::number(SmallestDistance)); // comes back here
        return;
    }
    // Read as the platform reads a number (a German decimal comma, say); text
    // that is none ends the handler with nothing changed.
    com::ignoringErrors([this] {
        const com::Variant typed(m_txtxDist->text());
        if (typed.toDouble() < SmallestDistance) {
            m_txtxDist->setText(QString::number(SmallestDistance)); // comes back here
            return;
        }
        // The scroll bar takes whole numbers, rounded half to even; beyond its
        // range the text stands alone.
        const int16_t distance = typed.toInteger();
        if (distance > LargestScrollDistance)
            return;
        m_vsxSize->setValue(distance);
        setChanged(true);
    });
}

void TextMode::VSxSize_Change()
{
    m_txtxDist->setText(QString::number(m_vsxSize->value()));
}

} // namespace ostrevo
