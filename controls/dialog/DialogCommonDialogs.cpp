// The Dialog control's common dialogs: open, save, colour, font, print
// set-up, printer properties and help.
#include "controls/dialog/Dialog.h"

#include "platform/com/AutomationError.h"
#include "platform/com/IgnoringErrors.h"
#include "platform/comdlg/DialogBackend.h"
#include "platform/comdlg/ErrorTexts.h"
#include "platform/help/HelpViewer.h"
#include "platform/spooler/PrinterSystem.h"

#include <QApplication>
#include <QMessageBox>
#include <cmath>
#include <limits>

using namespace com;

namespace ostrevo
{

namespace
{

// The callers' buffers: a file name or title, and a font's face name. Longer
// texts are refused with the errors callers know; the layer below has no
// fixed buffers, so a text of exactly the limit passes whole.
constexpr qsizetype FileBufferLength = 255;
constexpr qsizetype FaceNameLength = 32;
constexpr int32_t HookAndTemplateFlags = 0xE0; // never passed on: there is nothing to hook
constexpr int32_t PrintSetupFlags = 0x1C0FFF;

comdlg::DialogBackend &dialogs()
{
    return rt::ServiceSlot<comdlg::DialogBackend>::current();
}

spooler::PrinterSystem &printers()
{
    return rt::ServiceSlot<spooler::PrinterSystem>::current();
}

// The part before the last "/": the folder of a path ("" for one in the root).
QString folderOf(const QString &path)
{
    return path.left(std::max<qsizetype>(path.lastIndexOf(u'/'), 0));
}

QString nameOf(const QString &path)
{
    return path.mid(path.lastIndexOf(u'/') + 1);
}

// What a selection takes in the file buffer: one full path, or the folder
// followed by each name after a separator.
qsizetype selectionLength(const QStringList &paths)
{
    if (paths.size() == 1)
        return paths.constFirst().size();
    qsizetype length = folderOf(paths.constFirst()).size();
    for (const QString &path : paths)
        length += 1 + nameOf(path).size();
    return length;
}

// A "." second to fifth from the end: an extension of one to four characters.
bool hasExtension(const QString &name)
{
    for (qsizetype back = 2; back <= 5 && back <= name.size(); ++back)
        if (name.at(name.size() - back) == u'.')
            return true;
    return false;
}

int16_t deviceModeField(int32_t value)
{
    if (value < std::numeric_limits<int16_t>::min() || value > std::numeric_limits<int16_t>::max())
        raiseError(ErrOverflow);
    return static_cast<int16_t>(value);
}

} // namespace

QWidget *Dialog::ownerWindow() const
{
    if (m_hOwner == 0)
        return nullptr;
    const auto handle = static_cast<WId>(static_cast<uint32_t>(m_hOwner));
    for (QWidget *widget : QApplication::allWidgets())
        if (widget->internalWinId() == handle)
            return widget->window();
    return nullptr;
}

void Dialog::Clear()
{
    m_number = 0;
    m_description.clear();
    m_lastDllError = 0;
}

// Reports a dialog that did not end with a choice, only when the caller asked
// for it with CancelError; false when it did not.
bool Dialog::failureStep(uint32_t code, bool colour)
{
    if (!m_cancelError)
        return false;
    if (code == 0) {
        m_number = ErrCancel;
        m_description = comdlg::errorText(ErrCancel);
        m_cancel = true;
    } else if (code == comdlg::FileBufferTooSmall) {
        m_number = int32_t(code);
        m_description = colour ? QStringLiteral("Puffer zu klein.")
                               : QStringLiteral("Puffer zu klein.\r\nWählen Sie weniger Dateien aus.");
    } else {
        m_number = int32_t(code);
        m_description = comdlg::errorText(code);
    }
    return true;
}

// Runs a dialog step that returns whether it reported a failure in the error
// properties; an automation error raised on the way is reported there too.
// Else they are cleared. No platform call of ours leaves an error code.
void Dialog::reportingErrors(const std::function<bool()> &step)
{
    bool reported = false;
    try {
        reported = step();
    } catch (const AutomationError &error) {
        m_number = error.number();
        m_description = error.description();
        reported = true;
    }
    if (!reported) {
        m_number = 0;
        m_description.clear();
    }
    m_lastDllError = 0;
}

void Dialog::showFileDialog(bool save)
{
    m_cancel = false;
    m_multiSelect = false;
    Clear();
    reportingErrors([&] {
        if (m_fileName.size() > FileBufferLength)
            raiseError(ErrInvalidCall);
        comdlg::FileRequest request;
        request.save = save;
        request.filter = m_filter;
        request.filterIndex = m_filterIndex;
        request.fileName = m_fileName;
        request.folder = !m_initDir.isEmpty()      ? m_initDir
                         : !m_lastFolder.isEmpty() ? m_lastFolder
                                                   : QStringLiteral("/");
        // Without a DefaultExt a typed name comes back as typed: the backend
        // adds its default extension to any name that has none.
        request.defaultExt = m_defaultExt;
        request.flags = m_flags & ~HookAndTemplateFlags;
        if (!m_dialogTitle.isEmpty())
            request.placement.title = m_dialogTitle;
        request.placement.centred = true;

        comdlg::Outcome<QStringList> outcome = dialogs().files(ownerWindow(), request);
        if (outcome.value && selectionLength(*outcome.value) > FileBufferLength)
            outcome = comdlg::Outcome<QStringList>::failed(comdlg::FileBufferTooSmall);
        auto list = std::make_shared<Collection>();
        bool reported = false;
        if (outcome.value)
            takeSelection(*outcome.value, *list);
        else
            reported = failureStep(outcome.error, false);
        m_fileList = Variant::fromObject(list);
        return reported;
    });
}

void Dialog::takeSelection(const QStringList &paths, Collection &list)
{
    if (paths.size() == 1 && !nameOf(paths.constFirst()).isEmpty()) {
        m_fileTitle = nameOf(paths.constFirst());
        m_fileName = paths.constFirst();
        if (!hasExtension(m_fileName))
            m_fileName += m_defaultExt;
        m_filePath = folderOf(m_fileName);
    } else {
        // Several files of one folder: the folder, and their names in the
        // dialog's order; FileName and FileTitle stay as they were.
        m_filePath = folderOf(paths.constFirst());
        for (const QString &path : paths)
            list.add(Variant(nameOf(path)));
        m_multiSelect = true;
    }
    if (m_filePath.endsWith(u'/'))
        m_filePath.chop(1);
    m_lastFolder = m_filePath;
}

void Dialog::ShowColor()
{
    m_cancel = false;
    reportingErrors([&] {
        const comdlg::ColorChoice start{m_color, m_customColors};
        comdlg::Placement placement;
        placement.title = m_dialogTitle; // an empty title stays empty
        placement.position = QPoint(100, 100);
        // Always starting from the colour; of the caller's bits only full
        // open, prevent full open and the help button pass.
        const int flags = (m_flags & 15) | 1;
        const comdlg::Outcome<comdlg::ColorChoice> outcome =
            dialogs().chooseColor(ownerWindow(), start, flags, placement);
        if (!outcome.value)
            return failureStep(outcome.error, true);
        m_color = outcome.value->color;
        m_customColors = outcome.value->custom;
        return false;
    });
}

void Dialog::ShowFont()
{
    m_cancel = false;
    if (m_fontName.size() > FaceNameLength)
        raiseError(ErrSubscript);
    comdlg::FontChoice start;
    start.name = m_fontName;
    start.size = m_fontSize;
    start.bold = m_bold;
    start.italic = m_italic;
    start.underline = m_underline;
    start.strikethru = m_strikeThru;
    start.color = m_color;
    start.charset = m_font->charset;
    // Screen fonts with effects, started from the font; the caller's flags
    // add nothing unless all of them are set.
    const int flags = m_flags == -1 ? -1 : 0x141;
    const comdlg::Outcome<comdlg::FontChoice> outcome = dialogs().chooseFont(ownerWindow(), start, flags);
    if (!outcome.value) {
        failureStep(outcome.error, false);
        return;
    }
    const comdlg::FontChoice &chosen = *outcome.value;
    m_italic = chosen.italic;
    m_underline = chosen.underline;
    m_strikeThru = chosen.strikethru;
    // Whole points: the dialog answers in tenths, cut toward zero.
    const auto tenths = static_cast<int64_t>(std::nearbyint(chosen.size * 10));
    m_fontSize = static_cast<int32_t>(tenths / 10);
    m_color = chosen.color;
    m_bold = chosen.bold;
    if (chosen.name.isEmpty())
        return; // no font to take the face from: name and font object stay
    m_fontName = chosen.name;
    m_font->name = m_fontName;
    m_font->size = m_fontSize;
    m_font->underline = m_underline;
    m_font->italic = m_italic;
    m_font->strikethrough = m_strikeThru;
    m_font->bold = m_bold;
    m_font->weight = m_bold ? 700 : 400;
    m_font->charset = chosen.charset;
}

void Dialog::ShowPrinter()
{
    if (!m_printerExist)
        return;
    const int flags = m_flags & PrintSetupFlags;
    m_cancel = false;
    spooler::PrinterSystem &system = printers();
    spooler::DeviceMode mode;
    mode.fields = 0x1001; // orientation and duplex
    mode.duplex = 0;
    // A field that cannot be read is said and left out; the dialog still shows.
    const auto field = [this](const std::function<void()> &read) {
        try {
            read();
        } catch (const AutomationError &error) {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Printer Error"), error.description(),
                            QMessageBox::Ok, ownerWindow());
            box.exec();
        }
    };
    field([&] { mode.deviceName = system.deviceName(system.currentIndex()); });
    field([&] { mode.copies = m_copies; });
    field([&] { mode.orientation = deviceModeField(m_orientation); });
    ignoringErrors([&] { mode.duplex = system.duplex(); });

    const comdlg::Outcome<spooler::DeviceMode> outcome = dialogs().printSetup(ownerWindow(), mode, flags);
    if (!outcome.value) {
        failureStep(outcome.error, false);
        return;
    }
    const spooler::DeviceMode &chosen = *outcome.value;
    // By the full name: a long-named printer must be found as well.
    const QString wanted = chosen.deviceName.toUpper();
    bool differs = true;
    ignoringErrors([&] { differs = system.deviceName(system.currentIndex()).toUpper() != wanted; });
    if (differs) {
        for (int i = 0; i < system.count(); ++i) {
            ignoringErrors([&] {
                if (system.deviceName(i).toUpper() == wanted)
                    system.setCurrentIndex(i); // the last match stays
            });
        }
    }
    ignoringErrors([&] { system.setCopies(chosen.copies); });
    ignoringErrors([&] { system.setDuplex(chosen.duplex); });
    ignoringErrors([&] { system.setOrientation(chosen.orientation); });
    m_copies = chosen.copies;
    m_orientation = chosen.orientation;
    m_devModeOrientation = m_orientation == 2 ? 2 : 1;
    int16_t duplex = 1;
    setPrinterDevMode(duplex, m_devModeOrientation);
    updatePrinterMetrics();
}

Variant Dialog::ShowPrinterProp()
{
    Variant result;
    if (!m_printerExist)
        return result;
    // Nothing of it reaches the caller: a failure ends it with the result so far.
    ignoringErrors([&] {
        spooler::PrinterSystem &system = printers();
        const QString name = system.deviceName(system.currentIndex());
        if (std::unique_ptr<spooler::PrinterConnection> printer = system.open(name)) {
            spooler::DeviceMode mode = printer->readDeviceMode().value_or(spooler::DeviceMode{});
            mode.deviceName = name;
            std::optional<spooler::DeviceMode> chosen =
                dialogs().printerProperties(ownerWindow(), mode).value;
            // What the dialog settles becomes the printer's stored settings.
            result = Variant::fromBool(chosen && printer->documentProperties(*chosen) &&
                                       printer->writeDeviceMode(*chosen));
        }
        m_copies = system.copies();
        m_orientation = system.orientation();
        updatePrinterMetrics(); // which also closes a document reading the printer opened
    });
    return result;
}

void Dialog::ShowHelp()
{
    // The viewer's answer is not reported.
    rt::ServiceSlot<help::HelpViewer>::current().open(ownerWindow(), m_helpFile, m_helpCommand, m_helpKey);
}

} // namespace ostrevo
