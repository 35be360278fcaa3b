#include "controls/button/propgButton.h"

#include "controls/button/Button.h"
#include "platform/com/ControlSite.h"
#include "platform/com/PropertyBag.h"
#include "platform/com/StdFont.h"
#include "platform/runtime/FontSubstitutes.h"
#include "platform/runtime/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <optional>

namespace ostrevo
{

namespace
{

// Design-time layout in twips; controls inside a frame are placed relative to it.
const QSize PageSize(8280, 4680);
const QRect Label1Rect(120, 120, 2400, 240);
const QRect ConstListRect(120, 390, 2400, 4170);
const QRect FunctionRect(2760, 60, 2700, 2160);
const QRect Label16Rect(120, 300, 1050, 240);
const QRect CbBorStyleRect(1200, 240, 1380, 330);
const QRect LblModeRect(120, 690, 1050, 240);
const QRect CbModeRect(1200, 630, 1380, 330);
const QRect ChkPressRect(120, 1080, 1200, 270);
const QRect Chk32Rect(1380, 1080, 1200, 270);
const QRect ChkGradientRect(120, 1410, 1200, 270);
const QRect ChkEnabRect(1380, 1410, 1200, 270);
const QRect BcFocusRectRect(120, 1740, 1200, 270);
const QRect TextFrameRect(2760, 2280, 2700, 1140);
const QRect Label11Rect(120, 300, 1050, 240);
const QRect CbAlignRect(1200, 240, 1380, 330);
const QRect Label12Rect(120, 690, 1050, 240);
const QRect CbFont3DRect(1200, 630, 1380, 330);
const QRect PreviewRect(5580, 60, 2580, 2460);
const QRect DemoButtonRect(540, 300, 1500, 900);
const QRect Label8Rect(120, 1500, 2340, 240);
const QRect Label3Rect(120, 1800, 1050, 240);
const QRect Label2Rect(1200, 1800, 600, 240);
const QRect Label6Rect(1860, 1800, 600, 240);
const QRect Label4Rect(120, 2100, 1050, 240);
const QRect Label5Rect(1200, 2100, 600, 240);
const QRect Label7Rect(1860, 2100, 600, 240);
const QRect Label10Rect(2760, 3600, 1260, 240);
const QRect TxtCaptionRect(4080, 3540, 4080, 330);
const QRect LblToolTipTextRect(2760, 4050, 1260, 240);
const QRect TxtToolTipTextRect(4080, 3990, 4080, 330);

void place(QWidget *widget, QWidget *parent, const char *name, const QRect &twips)
{
    widget->setParent(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(rt::Twips::toPixels(twips));
}

QLabel *label(const QString &text, QWidget *parent, const char *name, const QRect &twips)
{
    auto *shown = new QLabel(text);
    place(shown, parent, name, twips);
    return shown;
}

QString entryOf(const std::pair<QString, int32_t> &constant)
{
    return QStringLiteral("%1 - %2").arg(constant.second).arg(constant.first);
}

// The lists keep each constant's value beside its entry, so a stored value
// finds its entry and a chosen entry gives its value.
std::optional<int32_t> chosenValue(const QComboBox *list)
{
    if (list->currentIndex() < 0)
        return std::nullopt;
    return list->currentData().toInt();
}

std::optional<int32_t> chosenValue(const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    if (!item || !item->isSelected())
        return std::nullopt;
    return item->data(Qt::UserRole).toInt();
}

void choose(QComboBox *list, int32_t value)
{
    list->setCurrentIndex(list->findData(value));
}

void choose(QListWidget *list, int32_t value)
{
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->data(Qt::UserRole).toInt() == value) {
            list->setCurrentRow(row);
            return;
        }
    list->setCurrentRow(-1);
    list->clearSelection();
}

} // namespace

propgButton::propgButton()
    : m_cbBorStyle(new QComboBox), m_cbMode(new QComboBox), m_cbAlign(new QComboBox),
      m_cbFont3D(new QComboBox), m_constList(new QListWidget),
      m_chkPress(new QCheckBox(QStringLiteral("Value"))), m_chk32(new QCheckBox(QStringLiteral("IconSize"))),
      m_chkGradient(new QCheckBox(QStringLiteral("Gradient"))),
      m_chkEnab(new QCheckBox(QStringLiteral("Enabled"))),
      m_bcFocusRect(new QCheckBox(QStringLiteral("Focus"))), m_txtCaption(new QLineEdit),
      m_txtToolTipText(new QLineEdit), m_label2(new QLabel), m_label5(new QLabel), m_label6(new QLabel),
      m_label7(new QLabel)
{
    setObjectName(QStringLiteral("propgButton"));
    setWindowTitle(QStringLiteral("&Allgemein"));
    setFont(rt::FontSubstitutes::formFont());
    resize(rt::Twips::toPixels(PageSize));

    label(QStringLiteral("ButtonShow:"), this, "Label1", Label1Rect);
    place(m_constList, this, "ConstList", ConstListRect);

    auto *function = new QGroupBox(QStringLiteral("Function"));
    place(function, this, "Frame1", FunctionRect);
    label(QStringLiteral("BorderStyle:"), function, "Label16", Label16Rect);
    place(m_cbBorStyle, function, "cbBorStyle", CbBorStyleRect);
    label(QStringLiteral("Option Mode"), function, "lblMode", LblModeRect);
    place(m_cbMode, function, "cbMode", CbModeRect);
    place(m_chkPress, function, "chkPress", ChkPressRect);
    place(m_chk32, function, "chk32", Chk32Rect);
    place(m_chkGradient, function, "chkGradient", ChkGradientRect);
    place(m_chkEnab, function, "chkEnab", ChkEnabRect);
    place(m_bcFocusRect, function, "bcFocusRect", BcFocusRectRect);

    auto *text = new QGroupBox(QStringLiteral("3D-Text"));
    place(text, this, "Frame2", TextFrameRect);
    label(QStringLiteral("Align/Off:"), text, "Label11", Label11Rect);
    place(m_cbAlign, text, "cbAlign", CbAlignRect);
    label(QStringLiteral("TextStyle:"), text, "Label12", Label12Rect);
    place(m_cbFont3D, text, "cbFont3D", CbFont3DRect);

    auto *preview = new QGroupBox(QStringLiteral("Preview"));
    place(preview, this, "Frame3", PreviewRect);
    label(QStringLiteral("MouseOver/Up  -  Click"), preview, "Label8", Label8Rect);
    label(QStringLiteral("Value ="), preview, "Label3", Label3Rect);
    place(m_label2, preview, "Label2", Label2Rect);
    place(m_label6, preview, "Label6", Label6Rect);
    label(QStringLiteral("Switched ="), preview, "Label4", Label4Rect);
    place(m_label5, preview, "Label5", Label5Rect);
    place(m_label7, preview, "Label7", Label7Rect);

    label(QStringLiteral("Caption:"), this, "Label10", Label10Rect);
    place(m_txtCaption, this, "txtCaption", TxtCaptionRect);
    label(QStringLiteral("ToolTipText:"), this, "lblToolTipText", LblToolTipTextRect);
    place(m_txtToolTipText, this, "txtToolTipText", TxtToolTipTextRect);

    // The preview is saved with nothing but its size and font: everything else
    // is the button's own default.
    auto demo = std::make_unique<Button>();
    auto site = std::make_unique<com::ControlSite>(QStringLiteral("DemoButton"), nullptr);
    site->ambient().font = rt::FontSubstitutes::formFont();
    site->setEventObserver([this](const com::EventInfo &event, com::Args &) {
        if (event.name == QLatin1String("MouseDown") || event.name == QLatin1String("MouseUp"))
            showPreviewState(m_label2, m_label5);
        else if (event.name == QLatin1String("Click"))
            showPreviewState(m_label6, m_label7);
    });
    demo->setSite(std::move(site));
    place(demo.get(), preview, "DemoButton", DemoButtonRect);
    m_demo = demo.release(); // the frame owns it now
    m_demo->readProperties(com::PropertyBag());

    fillLists();

    for (const auto &[name, list] : constantLists()) {
        const QString property = QString::fromLatin1(name);
        connect(list, &QComboBox::currentIndexChanged, this, [this, list, property](int index) {
            if (index >= 0)
                onListChoice(property, list->itemData(index).toInt());
        });
    }
    connect(m_cbMode, &QComboBox::currentIndexChanged, this, [this](int index) {
        // A push button has no latched state to preset.
        if (index >= 0)
            m_chkPress->setEnabled(m_cbMode->itemData(index).toInt() != Button::optButton);
    });
    connect(m_constList, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            onListChoice(QStringLiteral("ButtonShow"), m_constList->item(row)->data(Qt::UserRole).toInt());
    });

    const std::pair<QCheckBox *, const char *> checks[] = {{m_bcFocusRect, "FocusRect"},
                                                           {m_chk32, "IconSize"},
                                                           {m_chkEnab, "EnabledB"},
                                                           {m_chkGradient, "Gradient"}};
    for (const auto &[box, name] : checks) {
        const QString property = QString::fromLatin1(name);
        connect(box, &QCheckBox::toggled, this, [this, property](bool on) { onCheck(property, on); });
    }
    connect(m_chkPress, &QCheckBox::toggled, this, [this](bool on) {
        onCheck(QStringLiteral("Value"), on);
        showPreviewState(m_label2, m_label5);
        showPreviewState(m_label6, m_label7);
    });

    connect(m_txtCaption, &QLineEdit::textChanged, this, [this](const QString &caption) {
        m_demo->let(QStringLiteral("Caption"), com::Variant(caption));
        setChanged(true);
    });
    connect(m_txtToolTipText, &QLineEdit::textChanged, this, [this](const QString &tip) {
        // The button answers tool-tip requests with its own text, not the host's.
        m_demo->let(QStringLiteral("ToolTipText"), com::Variant(tip));
        setChanged(true);
    });
}

propgButton::~propgButton() = default;

void propgButton::describe(com::Dispatcher<propgButton> &d)
{
    d.identity(com::TypeInfo::forClass(QStringLiteral("propgButton"),
                                       QStringLiteral("Quiv_Tools.propgButton"),
                                       QStringLiteral("{A2C1E105-26D2-4C08-9DB7-B5C548D00655}"),
                                       QStringLiteral("{0B02EE1D-8B8E-4113-A861-AC6FFDBBAC83}")));
}

// The choices are the constants of the button's own enumerations, as its
// type information declares them.
void propgButton::fillLists()
{
    const com::TypeInfo &info = Button::staticTypeInfo();
    if (const com::EnumInfo *shows = info.enumeration(QStringLiteral("EnumButton")))
        for (const auto &constant : shows->constants) {
            auto *item = new QListWidgetItem(entryOf(constant), m_constList);
            item->setData(Qt::UserRole, constant.second);
        }
    const std::pair<const char *, QComboBox *> lists[] = {{"EnumStyle", m_cbBorStyle},
                                                          {"Enum3D", m_cbFont3D},
                                                          {"EnumTextAlignment", m_cbAlign},
                                                          {"EnumMode", m_cbMode}};
    for (const auto &[name, list] : lists)
        if (const com::EnumInfo *enumeration = info.enumeration(QString::fromLatin1(name)))
            for (const auto &constant : enumeration->constants)
                list->addItem(entryOf(constant), constant.second);
    for (QComboBox *list : {m_cbBorStyle, m_cbFont3D, m_cbAlign, m_cbMode})
        list->setCurrentIndex(-1);
}

std::array<std::pair<const char *, QCheckBox *>, 5> propgButton::checkBoxes() const
{
    return {{{"Value", m_chkPress},
             {"EnabledB", m_chkEnab},
             {"FocusRect", m_bcFocusRect},
             {"IconSize", m_chk32},
             {"Gradient", m_chkGradient}}};
}

std::array<std::pair<const char *, QComboBox *>, 4> propgButton::constantLists() const
{
    return {{{"BorderStyle", m_cbBorStyle},
             {"TextAlignment", m_cbAlign},
             {"Font3D", m_cbFont3D},
             {"OptionMode", m_cbMode}}};
}

void propgButton::onListChoice(const QString &property, int value)
{
    m_demo->let(property, com::Variant::fromLong(value));
    setChanged(true);
}

void propgButton::onCheck(const QString &property, bool on)
{
    m_demo->let(property, com::Variant::fromBool(on));
    setChanged(true);
}

void propgButton::showPreviewState(QLabel *value, QLabel *switched)
{
    value->setText(m_demo->get(QStringLiteral("Value")).display());
    switched->setText(QString::number(m_demo->get(QStringLiteral("Switched")).toLong()));
}

// Shows the first selected button. Filling a field runs its handler, so the
// preview follows the fields.
void propgButton::selectionChanged()
{
    if (selectedControls().empty())
        return;
    com::AutomationObject &first = *selectedControls().front();
    for (const auto &[name, box] : checkBoxes()) {
        const QString property = QString::fromLatin1(name);
        const bool on = first.get(property).toBool();
        box->setChecked(on);
        m_demo->let(property, com::Variant::fromBool(on));
    }
    m_txtToolTipText->setText(first.get(QStringLiteral("ToolTipText")).toString());
    m_txtCaption->setText(first.get(QStringLiteral("Caption")).toString());

    // A stored value no entry stands for leaves its list without a choice, so
    // that applying leaves that property alone; the other lists still fill.
    choose(m_constList, first.get(QStringLiteral("ButtonShow")).toLong());
    for (const auto &[name, list] : constantLists())
        choose(list, first.get(QString::fromLatin1(name)).toLong());

    for (const char *name : {"BackColorB", "ButtonColor", "FontColor"}) {
        const QString property = QString::fromLatin1(name);
        m_demo->let(property, first.get(property));
    }
    // Only the face: the preview keeps its own size and style.
    const com::Variant selectedFont = first.get(QStringLiteral("Font"));
    if (com::AutomationObject *face = selectedFont.toObject()) {
        const com::Variant ownFont = m_demo->get(QStringLiteral("Font"));
        auto *own = dynamic_cast<com::StdFont *>(ownFont.toObject());
        std::shared_ptr<com::StdFont> font = own ? own->clone() : std::make_shared<com::StdFont>();
        font->name = face->get(QStringLiteral("Name")).toString();
        m_demo->set(QStringLiteral("Font"), com::Variant::fromObject(font));
    }
}

// Writes the first selected button only.
void propgButton::applyChanges()
{
    if (selectedControls().empty())
        return;
    com::AutomationObject &first = *selectedControls().front();
    for (const auto &[name, box] : checkBoxes())
        first.let(QString::fromLatin1(name), com::Variant::fromBool(box->isChecked()));
    first.let(QStringLiteral("ToolTipText"), com::Variant(m_txtToolTipText->text()));
    first.let(QStringLiteral("Caption"), com::Variant(m_txtCaption->text()));

    // A list without a choice has nothing to write.
    const auto write = [&first](const char *name, std::optional<int32_t> value) {
        if (value)
            first.let(QString::fromLatin1(name), com::Variant::fromInteger(int16_t(*value)));
    };
    write("ButtonShow", chosenValue(m_constList));
    for (const auto &[name, list] : constantLists())
        write(name, chosenValue(list));
}

} // namespace ostrevo
