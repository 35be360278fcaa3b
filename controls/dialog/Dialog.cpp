#include "controls/dialog/Dialog.h"

#include "controls/dialog/MessageState.h"
#include "controls/dialog/msgFrm.h"
#include "controls/foundation/frmAbout.h"
#include "platform/com/PropertyBag.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/ObjectTable.h"
#include "platform/gdi/SystemColors.h"
#include "platform/kernel/PlatformVersion.h"
#include "platform/runtime/Twips.h"
#include "platform/spooler/PrinterSystem.h"

#include <QLocale>
#include <QPainter>
#include <QResizeEvent>
#include <functional>
#include <map>

using namespace com;

namespace ostrevo
{

namespace
{

constexpr int FaceSize = 38; // pixels, whatever the host asks for

// A property that only stores and reads its field.
template <class Field>
Dispatcher<Dialog> &stored(Dispatcher<Dialog> &d, const QString &name, int32_t dispid, VarType type,
                           Field Dialog::*field, const QString &typeName = {})
{
    if (type != Automation<Field>::type)
        qFatal("Dialog.%s: the declared type does not fit its field", qPrintable(name));
    return d.property<Field>(
        name, dispid, [field](Dialog &self) { return self.*field; },
        [field](Dialog &self, const Field &value) { self.*field = value; }, typeName);
}

// A property reading and writing the module state shared with the message form.
template <class Field>
void shared(Dispatcher<Dialog> &d, const QString &name, int32_t dispid, VarType type,
            Field MessageState::*field)
{
    if (type != Automation<Field>::type)
        qFatal("Dialog.%s: the declared type does not fit its field", qPrintable(name));
    d.property<Field>(
        name, dispid, [field](Dialog &) { return messageState().*field; },
        [field](Dialog &, const Field &value) { messageState().*field = value; });
}

} // namespace

Dialog::Dialog() : m_font(std::make_shared<StdFont>()), m_isNT(detectWinNT())
{
    setFixedSize(FaceSize, FaceSize);
    drawFace();
}

Dialog::~Dialog() = default;

bool Dialog::detectWinNT()
{
    return kernel::platformVersion().platformId == 2;
}

void Dialog::describe(Dispatcher<Dialog> &d)
{
    d.identity(TypeInfo::forClass(QStringLiteral("Dialog"), QStringLiteral("Quiv_Tools.Dialog"),
                                  QStringLiteral("{195ABF25-79F0-4ED5-A092-84E8D53A26BD}"),
                                  QStringLiteral("{321A0FCB-59DD-44FB-9907-F213153FE8A5}"),
                                  QStringLiteral("{279030A0-5656-41CB-843A-8A4071D819CE}")));
    addProperties(d);
    addMethods(d);
}

void Dialog::addProperties(Dispatcher<Dialog> &d)
{
    const VarType S = VarType::String, B = VarType::Boolean, I = VarType::Integer, L = VarType::Long;
    stored(d, QStringLiteral("FindFile"), 0x40030043, S, &Dialog::m_findFile);
    d.method(QStringLiteral("ShowAboutBox"), 0x60030042, VarType::Empty, {}, [](Dialog &, Args &) {
        ShowAboutBox();
        return Variant();
    });
    shared(d, QStringLiteral("sKey"), 0x68030041, I, &MessageState::sKey);
    shared(d, QStringLiteral("sKeyShift"), 0x68030040, I, &MessageState::sKeyShift);
    shared(d, QStringLiteral("sKeyDown"), 0x6803003F, B, &MessageState::sKeyDown);
    shared(d, QStringLiteral("sButton"), 0x6803003E, I, &MessageState::sButton);
    d.writeOnly(QStringLiteral("Sound"), 0x6803003D, B,
                [](Dialog &self, const Variant &v) { self.m_sound = v.toBool(); });
    // Bag order: Copies and Orientation (only where there is a printer, with
    // the printer's own values as defaults), Cancel, FocusRect.
    stored(d, QStringLiteral("Cancel"), 0x6803003C, B, &Dialog::m_cancel)
        .persist({.rank = 2, .read = Variant::fromBool(false)});
    d.property(
        QStringLiteral("Printer_DeviceName"), 0x6803003B, S,
        [](Dialog &) {
            spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
            return Variant(printers.deviceName(printers.currentIndex()));
        },
        [](Dialog &self, const Variant &v) { self.setPrinterDeviceName(v.toString()); });
    const auto withPrinter = [](Dialog &self) { return self.m_printerExist; };
    d.property<int16_t>(
         QStringLiteral("Copies"), 0x6803003A,
         [](Dialog &self) { return self.m_printerExist ? self.m_copies : int16_t(0); },
         [](Dialog &self, int16_t value) { self.setCopies(value); })
        .persist({.rank = 0,
                  .read =
                      [](Dialog &) {
                          return Variant::fromInteger(
                              rt::ServiceSlot<spooler::PrinterSystem>::current().copies());
                      },
                  .when = withPrinter});
    d.property<int32_t>(
         QStringLiteral("Orientation"), 0x68030039,
         [](Dialog &self) { return self.m_printerExist ? self.m_orientation : 0; },
         [](Dialog &self, int32_t value) { self.setOrientation(value); }, QStringLiteral("EnOrientation"))
        .persist({.rank = 1,
                  .read =
                      [](Dialog &) {
                          return Variant::fromLong(
                              rt::ServiceSlot<spooler::PrinterSystem>::current().orientation());
                      },
                  .when = withPrinter});
    d.objectProperty(
        QStringLiteral("Font"), 0x68030038, QStringLiteral("StdFont"),
        [](Dialog &self) { return Variant::fromObject(self.m_font); },
        [](Dialog &self, const Variant &v) {
            auto font = std::dynamic_pointer_cast<StdFont>(v.objectRef());
            if (!font)
                raiseError(ErrTypeMismatch);
            self.m_font = font;
        });
    stored(d, QStringLiteral("FontColor"), 0x68030037, L, &Dialog::m_color, QStringLiteral("OLE_COLOR"));
    d.readOnly(
        QStringLiteral("FontStyle"), 0x68030036, L,
        [](Dialog &self) { return Variant::fromLong(self.fontStyle()); }, QStringLiteral("cFontStyle"));
    stored(d, QStringLiteral("FontName"), 0x68030035, S, &Dialog::m_fontName);
    stored(d, QStringLiteral("FontSize"), 0x68030034, L, &Dialog::m_fontSize);
    stored(d, QStringLiteral("Bold"), 0x68030033, B, &Dialog::m_bold);
    stored(d, QStringLiteral("Italic"), 0x68030032, B, &Dialog::m_italic);
    stored(d, QStringLiteral("StrikeThru"), 0x68030031, B, &Dialog::m_strikeThru);
    stored(d, QStringLiteral("Underline"), 0x68030030, B, &Dialog::m_underline);
    const std::pair<const char *, QString Dialog::*> metrics[] = {
        {"HorizSize", &Dialog::m_horizSize},
        {"VertiSize", &Dialog::m_vertiSize},
        {"PhysicOffsetX", &Dialog::m_physicOffsetX},
        {"PhysicOffsetY", &Dialog::m_physicOffsetY}};
    int32_t metricId = 0x6803002F;
    for (const auto &[metricName, field] : metrics) {
        const QString name = QString::fromLatin1(metricName);
        d.property<QString>(
            name, metricId--, [name](Dialog &self) { return self.printerMetric(name); },
            [field](Dialog &self, const QString &value) { self.*field = value; });
    }
    d.writeOnly(
        QStringLiteral("Action"), 0x6803002B, L,
        [](Dialog &self, const Variant &v) { self.runAction(v.toLong()); },
        QStringLiteral("CdlgExt_Actions"));
    stored(d, QStringLiteral("CancelError"), 0x6803002A, B, &Dialog::m_cancelError);
    stored(d, QStringLiteral("hOwner"), 0x68030029, L, &Dialog::m_hOwner);
    stored(d, QStringLiteral("Flags"), 0x68030028, L, &Dialog::m_flags, QStringLiteral("CdlgExt_Flags"));
    stored(d, QStringLiteral("DialogTitle"), 0x68030027, S, &Dialog::m_dialogTitle);
    stored(d, QStringLiteral("DialogPrompt"), 0x68030026, S, &Dialog::m_dialogPrompt);
    stored(d, QStringLiteral("AppName"), 0x68030025, S, &Dialog::m_appName);
    stored(d, QStringLiteral("hIcon"), 0x68030024, L, &Dialog::m_hIcon);
    stored(d, QStringLiteral("Default"), 0x68030023, B, &Dialog::m_default);
    stored(d, QStringLiteral("DefaultExt"), 0x68030022, S, &Dialog::m_defaultExt);
    stored(d, QStringLiteral("FileName"), 0x68030021, S, &Dialog::m_fileName);
    stored(d, QStringLiteral("FileTitle"), 0x68030020, S, &Dialog::m_fileTitle);
    stored(d, QStringLiteral("Filter"), 0x6803001F, S, &Dialog::m_filter);
    stored(d, QStringLiteral("FilterIndex"), 0x6803001E, L, &Dialog::m_filterIndex);
    stored(d, QStringLiteral("InitDir"), 0x6803001D, S, &Dialog::m_initDir);
    stored(d, QStringLiteral("SelDir"), 0x6803001C, S, &Dialog::m_selDir);
    stored(d, QStringLiteral("Icon"), 0x6803001B, B, &Dialog::m_icon);
    stored(d, QStringLiteral("IconIdx"), 0x6803001A, L, &Dialog::m_iconIdx);
    d.property(
        QStringLiteral("IconSize"), 0x68030019, L,
        [](Dialog &self) {
            if (self.m_iconSize != 16 && self.m_iconSize != 32)
                self.m_iconSize = 32;
            return Variant::fromLong(self.m_iconSize);
        },
        [](Dialog &self, const Variant &v) {
            const int32_t size = v.toLong();
            self.m_iconSize = size == 16 || size == 32 ? size : 32;
        },
        QStringLiteral("CdlgEx_IconSize"));
    stored(d, QStringLiteral("HelpCommand"), 0x68030018, L, &Dialog::m_helpCommand,
           QStringLiteral("CdlgExt_HelpCommand"));
    stored(d, QStringLiteral("HelpFile"), 0x68030017, S, &Dialog::m_helpFile);
    stored(d, QStringLiteral("HelpKey"), 0x68030016, L, &Dialog::m_helpKey);
    stored(d, QStringLiteral("color"), 0x68030015, L, &Dialog::m_color, QStringLiteral("OLE_COLOR"));
    stored(d, QStringLiteral("ColorNr"), 0x68030014, I, &Dialog::m_colorNr);
    d.property(
        QStringLiteral("CustomColors"), 0x68030013, L, [](Dialog &self) { return self.customColor(); },
        [](Dialog &self, const Variant &v) { self.setCustomColor(v.toColor()); },
        QStringLiteral("OLE_COLOR"));
    stored(d, QStringLiteral("Number"), 0x68030012, L, &Dialog::m_number);
    stored(d, QStringLiteral("Description"), 0x68030011, S, &Dialog::m_description);
    stored(d, QStringLiteral("LastDllError"), 0x68030010, L, &Dialog::m_lastDllError);
    d.readOnly(QStringLiteral("MultiSelect"), 0x6803000F, B,
               [](Dialog &self) { return Variant::fromBool(self.m_multiSelect); });
    d.readOnly(QStringLiteral("FilePath"), 0x6803000E, S,
               [](Dialog &self) { return Variant(self.m_filePath); });
    d.member({QStringLiteral("FileList"), 0x6803000D, Get, VarType::Object, QStringLiteral("Collection")},
             [](Dialog &self, Args &) { return self.m_fileList; }, {});
    d.property<bool>(
        QStringLiteral("PrinterExist"), 0x6803000C, [](Dialog &self) { return self.m_printerExist; },
        [](Dialog &self, bool value) { self.setPrinterExist(value); });
    d.property<bool>(
        QStringLiteral("Pointer"), 0x6803000B, [](Dialog &self) { return !self.m_noPointer; },
        [](Dialog &self, bool value) { self.m_noPointer = !value; });
    stored(d, QStringLiteral("CheckboxCaption"), 0x6803000A, S, &Dialog::m_checkboxCaption);
    for (int i = 0; i < 3; ++i) {
        d.property<QString>(
            QStringLiteral("Btn%1Caption").arg(i + 1), 0x68030009 - i,
            [i](Dialog &self) { return self.m_btnCaption[size_t(i)]; },
            [i](Dialog &self, const QString &value) { self.m_btnCaption[size_t(i)] = value; });
    }
    d.property<bool>(
         QStringLiteral("FocusRect"), 0x68030006, [](Dialog &self) { return self.m_focusRect; },
         [](Dialog &self, bool value) { self.m_focusRect = value; })
        .notifies()
        .persist({.rank = 3, .read = Variant::fromBool(false)});
    stored(d, QStringLiteral("x"), 0x68030005, VarType::Single, &Dialog::m_x);
    stored(d, QStringLiteral("y"), 0x68030004, VarType::Single, &Dialog::m_y);
    stored(d, QStringLiteral("Intensity"), 0x68030003, I, &Dialog::m_intensity);
    stored(d, QStringLiteral("mTime"), 0x68030002, I, &Dialog::m_mTime);
    shared(d, QStringLiteral("InitMsg"), 0x68030001, S, &MessageState::InitMsg);
}

void Dialog::addMethods(Dispatcher<Dialog> &d)
{
    const VarType V = VarType::Variant, L = VarType::Long, S = VarType::String, B = VarType::Boolean;
    struct Pending {
        const char *name;
        int32_t dispid;
        VarType result;
        std::vector<ParamInfo> params;
    };
    const ParamInfo optionalLong{QStringLiteral("arg"), L, false, true};
    const std::vector<Pending> pending = {
        {"LogOff", 0x60030044, V, {}},
        {"Reboot", 0x60030045, V, {}},
        {"ShutDown", 0x60030046, V, {}},
        {"ShowShutDown", 0x60030047, V, {}},
        {"ShowRestart", 0x60030048, V, {}},
        {"ShowRun", 0x60030049, V, {}},
        {"ShowFormat", 0x6003004A, L, {optionalLong, optionalLong, optionalLong}},
        {"ShowIcon", 0x6003004B, V, {}},
        {"ShowFolder", 0x6003004D, S, {}},
        {"ShowObjectProp", 0x6003004E, VarType::Empty, {}},
        {"ShowAbout", 0x6003004F, V, {}},
        {"ShowOpen", 0x60030050, VarType::Empty, {}},
        {"ShowSave", 0x60030051, VarType::Empty, {}},
        {"Clear", 0x60030053, VarType::Empty, {}},
        {"ShowHelp", 0x60030055, VarType::Empty, {}},
        {"ShowColor", 0x60030056, VarType::Empty, {}},
        {"ShowFont", 0x60030057, VarType::Empty, {}},
        {"ShowPrinter", 0x60030058, VarType::Empty, {}},
        {"ShowPrinterProp", 0x60030059, V, {}},
        {"ShowDelete", 0x6003005B, B, {{QStringLiteral("Files"), V}}},
        {"ShowMsg", 0x6003005C, L, {}},
        {"ShowInput", 0x6003005D, S, {}},
        {"ShowAutoMsg", 0x6003005E, VarType::Integer, {}},
        {"GetWinXP", 0x6003005F, B, {}},
        {"FileExists", 0x60030060, B, {{QStringLiteral("Path"), S}}},
        {"SetPrinterDefault", 0x60030064, B, {{QStringLiteral("PrinterName"), S}}},
        {"GetDefaultPrinterName", 0x60030065, S, {{QStringLiteral("hWnd"), L, false, true}}},
        {"ClipNullChar", 0x60030066, S, {{QStringLiteral("Text"), S}}},
        {"GetWinVista", 0x6003006C, B, {}},
    };
    const auto done = [](void (Dialog::*show)()) {
        return [show](Dialog &self) {
            (self.*show)();
            return Variant();
        };
    };
    const std::map<QString, std::function<Variant(Dialog &)>> commonDialogs = {
        {QStringLiteral("ShowOpen"), done(&Dialog::ShowOpen)},
        {QStringLiteral("ShowSave"), done(&Dialog::ShowSave)},
        {QStringLiteral("Clear"), done(&Dialog::Clear)},
        {QStringLiteral("ShowHelp"), done(&Dialog::ShowHelp)},
        {QStringLiteral("ShowColor"), done(&Dialog::ShowColor)},
        {QStringLiteral("ShowFont"), done(&Dialog::ShowFont)},
        {QStringLiteral("ShowPrinter"), done(&Dialog::ShowPrinter)},
        {QStringLiteral("ShowPrinterProp"), [](Dialog &self) { return self.ShowPrinterProp(); }},
        {QStringLiteral("LogOff"), done(&Dialog::LogOff)},
        {QStringLiteral("Reboot"), done(&Dialog::Reboot)},
        {QStringLiteral("ShutDown"), done(&Dialog::ShutDown)},
        {QStringLiteral("ShowShutDown"), done(&Dialog::ShowShutDown)},
        {QStringLiteral("ShowRestart"), done(&Dialog::ShowRestart)},
        {QStringLiteral("ShowRun"), done(&Dialog::ShowRun)},
        {QStringLiteral("ShowIcon"), done(&Dialog::ShowIcon)},
        {QStringLiteral("ShowFolder"), [](Dialog &self) { return Variant(self.ShowFolder()); }},
        {QStringLiteral("ShowObjectProp"), done(&Dialog::ShowObjectProp)},
        {QStringLiteral("ShowAbout"), done(&Dialog::ShowAbout)},
        {QStringLiteral("GetWinXP"), [](Dialog &self) { return Variant::fromBool(self.GetWinXP()); }},
        {QStringLiteral("GetWinVista"), [](Dialog &self) { return Variant::fromBool(self.GetWinVista()); }},
    };
    // A missing optional argument counts as 0.
    const auto longArg = [](const Args &args, size_t i) {
        return i < args.size() && !args[i].isMissing() ? args[i].toLong() : 0;
    };
    const auto textArg = [](const Args &args) { return args.empty() ? QString() : args[0].toString(); };
    const std::map<QString, std::function<Variant(Dialog &, Args &)>> withArguments = {
        {QStringLiteral("ShowFormat"),
         [longArg](Dialog &self, Args &args) {
             return Variant::fromLong(self.ShowFormat(longArg(args, 0), longArg(args, 1), longArg(args, 2)));
         }},
        {QStringLiteral("ShowDelete"),
         [](Dialog &self, Args &args) {
             if (args.empty())
                 raiseError(ErrArgumentNotOptional);
             return Variant::fromBool(self.ShowDelete(args[0]));
         }},
        {QStringLiteral("FileExists"),
         [textArg](Dialog &self, Args &args) { return Variant::fromBool(self.FileExists(textArg(args))); }},
        {QStringLiteral("SetPrinterDefault"),
         [textArg](Dialog &self, Args &args) {
             return Variant::fromBool(self.SetPrinterDefault(textArg(args)));
         }},
        {QStringLiteral("GetDefaultPrinterName"),
         [](Dialog &self, Args &) { return Variant(self.GetDefaultPrinterName()); }},
        {QStringLiteral("ClipNullChar"),
         [textArg](Dialog &, Args &args) { return Variant(Dialog::ClipNullChar(textArg(args))); }},
    };
    for (const Pending &method : pending) {
        const QString name = QString::fromLatin1(method.name);
        if (name == QLatin1String("ShowMsg"))
            d.method(name, method.dispid, method.result, method.params,
                     [](Dialog &self, Args &) { return Variant::fromLong(self.ShowMsg()); });
        else if (name == QLatin1String("ShowInput"))
            d.method(name, method.dispid, method.result, method.params,
                     [](Dialog &self, Args &) { return Variant(self.ShowInput()); });
        else if (name == QLatin1String("ShowAutoMsg"))
            d.method(name, method.dispid, method.result, method.params,
                     [](Dialog &self, Args &) { return Variant::fromInteger(self.ShowAutoMsg()); });
        else if (const auto common = commonDialogs.find(name); common != commonDialogs.end())
            d.method(name, method.dispid, method.result, method.params,
                     [run = common->second](Dialog &self, Args &) { return run(self); });
        else if (const auto service = withArguments.find(name); service != withArguments.end())
            d.method(name, method.dispid, method.result, method.params, service->second);
        else
            qFatal("Dialog.%s has no implementation", qPrintable(name));
    }
    d.enumeration(QStringLiteral("CdlgExt_Actions"), {{QStringLiteral("cdlgOpen"), 1},
                                                      {QStringLiteral("cdlgSave"), 2},
                                                      {QStringLiteral("cdlgColor"), 3},
                                                      {QStringLiteral("cdlgFont"), 4},
                                                      {QStringLiteral("cdlgPrinter"), 5},
                                                      {QStringLiteral("cdlgPrinterProp"), 6},
                                                      {QStringLiteral("cdlgHelp"), 7},
                                                      {QStringLiteral("cdlgAbout"), 8},
                                                      {QStringLiteral("cdlgFolder"), 9},
                                                      {QStringLiteral("cdlgFormat"), 10},
                                                      {QStringLiteral("cdlgIcon"), 11},
                                                      {QStringLiteral("cdlgObjectProp"), 12},
                                                      {QStringLiteral("cdlgRestart"), 13},
                                                      {QStringLiteral("cdlgRun"), 14},
                                                      {QStringLiteral("cdlgShutDown"), 15},
                                                      {QStringLiteral("cdlgDelete"), 16}});
    d.enumeration(QStringLiteral("CdlgEx_IconSize"),
                  {{QStringLiteral("IconSizeSmall"), 16}, {QStringLiteral("IconSizeLarge"), 32}});
    d.enumeration(QStringLiteral("CdlgExt_HelpCommand"), {{QStringLiteral("HelpCommandHelp"), 258},
                                                          {QStringLiteral("HelpContents"), 3},
                                                          {QStringLiteral("HelpContext"), 1},
                                                          {QStringLiteral("HelpContextPOPUP"), 8},
                                                          {QStringLiteral("HelpForceFile"), 9},
                                                          {QStringLiteral("HelpHelpOnHelp"), 4},
                                                          {QStringLiteral("HelpIndex"), 3},
                                                          {QStringLiteral("HelpKeyHelp"), 257},
                                                          {QStringLiteral("HelpPartialKey"), 261},
                                                          {QStringLiteral("HelpQuit"), 2},
                                                          {QStringLiteral("HelpSetContents"), 5},
                                                          {QStringLiteral("HelpSetIndex"), 5},
                                                          {QStringLiteral("HelpMultiKey"), 513},
                                                          {QStringLiteral("HelpSetWinPos"), 515}});
}

int32_t Dialog::ShowMsg()
{
    MessageState &state = messageState();
    state.sKeyDown = false;
    state.sKeyShift = 0;
    state.sKey = 0;
    const auto colour = static_cast<int32_t>(m_color);
    return msgFrm::msg_Box(m_dialogPrompt, m_flags, m_dialogTitle, m_sound, m_noPointer, m_checkboxCaption,
                           m_focusRect, m_btnCaption[0], m_btnCaption[1], m_btnCaption[2], colour, m_x, m_y,
                           m_intensity);
}

QString Dialog::ShowInput()
{
    MessageState &state = messageState();
    state.sKeyDown = false;
    state.sKeyShift = 0;
    state.sKey = 0;
    // A copy: the box writes its answer into InitMsg.
    const QString initMsg = state.InitMsg;
    const auto colour = static_cast<int32_t>(m_color);
    return msgFrm::input_box(m_dialogPrompt, m_flags, m_dialogTitle, initMsg, m_sound, m_noPointer,
                             m_checkboxCaption, m_focusRect, m_btnCaption[0], m_btnCaption[1], colour, m_x,
                             m_y, m_intensity);
}

int16_t Dialog::ShowAutoMsg()
{
    // The host goes on while it shows, so the key state is left alone.
    const auto colour = static_cast<int32_t>(m_color);
    return msgFrm::MsgAuto_box(m_dialogPrompt, m_flags, m_dialogTitle, m_mTime, m_sound, m_noPointer, colour,
                               m_x, m_y, m_intensity);
}

void Dialog::runAction(int32_t action)
{
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
    case 5:
        ShowPrinter(); // does nothing without a printer
        break;
    case 6:
        ShowPrinterProp();
        break;
    case 7:
        ShowHelp();
        break;
    case 8:
        ShowAbout();
        break;
    case 9:
        ShowFolder();
        break;
    case 10:
        ShowFormat(0, 0, 0);
        break;
    case 11:
        ShowIcon();
        break;
    case 12:
        ShowObjectProp();
        break;
    case 13:
        ShowRestart();
        break;
    case 14:
        ShowRun();
        break;
    case 15:
        ShowShutDown();
        break;
    default:
        break; // 16 and anything unknown do nothing
    }
}

// --- printer ---------------------------------------------------------------

void Dialog::setPrinterDeviceName(const QString &name)
{
    spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
    for (int i = 0; i < printers.count(); ++i)
        if (printers.deviceName(i) == name)
            printers.setCurrentIndex(i); // the last match wins
}

void Dialog::setPrinterExist(bool exists)
{
    m_printerExist = exists;
    if (exists) {
        spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
        m_orientation = printers.orientation();
        m_copies = printers.copies();
    }
}

void Dialog::setCopies(int16_t copies)
{
    m_copies = copies;
    if (m_printerExist)
        rt::ServiceSlot<spooler::PrinterSystem>::current().setCopies(copies);
}

void Dialog::setOrientation(int32_t orientation)
{
    if (!m_printerExist)
        return;
    m_orientation = orientation;
    rt::ServiceSlot<spooler::PrinterSystem>::current().setOrientation(orientation);
    m_devModeOrientation = orientation == 2 ? 2 : 1;
    int16_t duplex = 1;
    setPrinterDevMode(duplex, m_devModeOrientation);
}

// Writes orientation and duplex into the printer's stored settings. Every
// step is checked: a failure stops there, changes nothing more and closes
// what was opened.
void Dialog::setPrinterDevMode(int16_t &duplex, int16_t &orientation)
{
    spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
    const QString name = printers.deviceName(printers.currentIndex());
    if (name.isEmpty())
        return;
    {
        std::unique_ptr<spooler::PrinterConnection> printer = printers.open(name);
        if (!printer)
            return;
        std::optional<spooler::DeviceMode> mode = printer->readDeviceMode();
        if (!mode)
            return;
        mode->fields = 0x1001;
        mode->orientation = orientation;
        mode->duplex = duplex;
        if (!printer->documentProperties(*mode) || !printer->writeDeviceMode(*mode))
            return;
    }
    for (int i = 0; i < printers.count(); ++i) {
        if (printers.deviceName(i) == name) {
            printers.setCurrentIndex(i);
            break;
        }
    }
    printers.setDuplex(duplex);
}

QString Dialog::printerMetric(const QString &which)
{
    if (!m_printerExist)
        return QString();
    updatePrinterMetrics();
    if (which == QLatin1String("HorizSize"))
        return m_horizSize;
    if (which == QLatin1String("VertiSize"))
        return m_vertiSize;
    if (which == QLatin1String("PhysicOffsetX"))
        return m_physicOffsetX;
    return m_physicOffsetY;
}

void Dialog::updatePrinterMetrics()
{
    spooler::PrinterSystem &printers = rt::ServiceSlot<spooler::PrinterSystem>::current();
    const spooler::PrinterMetrics metrics = printers.metrics();
    const QLocale locale;
    m_horizSize = QString::number(metrics.horzSizeMm);
    m_vertiSize = QString::number(metrics.vertSizeMm);
    m_physicOffsetX = Variant::fromSingle(float(metrics.physicalOffsetX / metrics.pixelsPerMmX))
                          .toString()
                          .replace(QLatin1Char('.'), locale.decimalPoint());
    m_physicOffsetY = Variant::fromSingle(float(metrics.physicalOffsetY / metrics.pixelsPerMmY))
                          .toString()
                          .replace(QLatin1Char('.'), locale.decimalPoint());
    // Reading the device context may have opened a document; close it again.
    printers.endDocument();
}

// --- fonts and colours -----------------------------------------------------

int32_t Dialog::fontStyle() const
{
    if (m_bold)
        return 0; // cBold
    if (m_italic)
        return 1; // cItalic
    if (m_strikeThru)
        return 3; // cStrikeout
    if (m_underline)
        return 4; // cUnderline
    return 2;     // cRegular
}

Variant Dialog::customColor() const
{
    if (m_colorNr < 0 || m_colorNr > 15)
        raiseError(ErrSubscript);
    return Variant::fromColor(m_customColors[size_t(m_colorNr)]);
}

void Dialog::setCustomColor(uint32_t color)
{
    m_colorNr = std::clamp<int16_t>(m_colorNr, 0, 15);
    m_customColors[size_t(m_colorNr)] = color;
}

// --- persistence -------------------------------------------------------------

void Dialog::readProperties(const PropertyBag &bag)
{
    readDeclared(bag);
}

void Dialog::writeProperties(PropertyBag &bag)
{
    writeDeclared(bag);
}

// --- face --------------------------------------------------------------------

void Dialog::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size() != QSize(FaceSize, FaceSize))
        resize(FaceSize, FaceSize);
}

// The designer's view of the control: its symbol (a small dialog window with a
// speech balloon, our own drawing) in a raised frame.
void Dialog::drawFace()
{
    m_surface = QImage(FaceSize, FaceSize, QImage::Format_RGB32);
    gdi::DeviceContext dc(&m_surface);
    dc.fillRect(gdi::Rect{0, 0, FaceSize, FaceSize}, gdi::getSysColorBrush(gdi::ColorBtnFace));
    const QPoint symbol = rt::Twips::toPixels(QRect(45, 65, 450, 450)).topLeft(); // picTest
    const auto at = [&](int left, int top, int right, int bottom) {
        return gdi::Rect{symbol.x() + left, symbol.y() + top, symbol.x() + right, symbol.y() + bottom};
    };
    const gdi::GdiObject white(gdi::createSolidBrush(gdi::rgb(255, 255, 255)));
    const gdi::GdiObject title(gdi::createSolidBrush(gdi::rgb(0, 0, 128)));
    const gdi::GdiObject balloon(gdi::createSolidBrush(gdi::rgb(255, 255, 204)));
    const gdi::Handle oldBrush = dc.selectObject(white);
    const gdi::Rect window = at(1, 3, 29, 27);
    dc.rectangle(window.left, window.top, window.right, window.bottom);
    dc.fillRect(at(2, 4, 28, 9), title);
    dc.selectObject(balloon);
    dc.roundRect(symbol.x() + 5, symbol.y() + 12, symbol.x() + 25, symbol.y() + 23, 6, 6);
    dc.selectObject(oldBrush);
    gdi::Rect frame{0, 0, FaceSize, FaceSize};
    dc.drawEdge(frame, gdi::EdgeRaised, gdi::BfRect);
}

void Dialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

} // namespace ostrevo
