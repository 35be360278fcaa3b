#include "platform/comdlg/QtDialogs.h"

#include "platform/comdlg/CommonDialog.h"
#include "platform/gdi/SystemColors.h"
#include "platform/runtime/FontSubstitutes.h"
#include "platform/runtime/ScreenSource.h"
#include "platform/runtime/SystemSources.h"

#include <QColorDialog>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <cmath>
#include <cstdlib>

namespace comdlg
{

namespace
{

// Filters, the initial one and the preset name, shared by open and save.
void prepareFileDialog(QFileDialog &dialog, const QString &filter, int filterIndex, const QString &fileName)
{
    const QStringList filters = QtDialogs::nameFilters(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        // FilterIndex counts from 1; 0 and anything beyond the list mean the first.
        const bool inRange = filterIndex >= 1 && filterIndex <= filters.size();
        dialog.selectNameFilter(filters.at(inRange ? filterIndex - 1 : 0));
    }
    if (!fileName.isEmpty())
        dialog.selectFile(fileName);
}

// The installed face that draws a font of that name: Qt's font dialog lists
// only installed faces and would otherwise open on the first one it has.
QString installedFace(const QString &name)
{
    const QString drawn = rt::FontSubstitutes::drawnFace(name);
    if (QFontDatabase::families().contains(drawn, Qt::CaseInsensitive))
        return drawn;
    return QFontInfo(rt::FontSubstitutes::font(name, 0)).family();
}

// The face's style closest to the weight and slant asked for, so the dialog
// does not fall back to whatever style the face lists first.
QString closestStyle(const QString &family, bool bold, bool italic)
{
    const int weight = bold ? QFont::Bold : QFont::Normal;
    QString best;
    int bestDistance = 0;
    for (const QString &style : QFontDatabase::styles(family)) {
        if (QFontDatabase::italic(family, style) != italic)
            continue;
        const int distance = std::abs(QFontDatabase::weight(family, style) - weight);
        if (best.isEmpty() || distance < bestDistance) {
            best = style;
            bestDistance = distance;
        }
    }
    return best;
}

std::optional<QString> runFileDialog(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.constFirst().isEmpty())
        return std::nullopt;
    return files.constFirst();
}

enum : int {
    FileAllowMultiselect = 0x200,
    PrintDisablePrintToFile = 0x80000,
    PrintHidePrintToFile = 0x100000,
};

// A printer prepared with a device mode's settings, and the settings read back.
void applyMode(QPrinter &printer, const spooler::DeviceMode &mode)
{
    if (!mode.deviceName.isEmpty())
        printer.setPrinterName(mode.deviceName);
    if (mode.copies > 0)
        printer.setCopyCount(mode.copies);
    printer.setPageOrientation(mode.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setDuplex(mode.duplex == 2   ? QPrinter::DuplexLongSide
                      : mode.duplex == 3 ? QPrinter::DuplexShortSide
                                         : QPrinter::DuplexNone);
}

spooler::DeviceMode modeOf(const QPrinter &printer, spooler::DeviceMode mode)
{
    mode.deviceName = printer.printerName();
    mode.copies = static_cast<int16_t>(printer.copyCount());
    mode.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    const QPrinter::DuplexMode duplex = printer.duplex();
    mode.duplex = duplex == QPrinter::DuplexLongSide ? 2 : duplex == QPrinter::DuplexShortSide ? 3 : 1;
    return mode;
}

void centre(QWidget &dialog)
{
    const QSize screen = rt::SystemSources::screen().size();
    const QSize size = dialog.frameGeometry().size();
    dialog.move(int(std::nearbyint((screen.width() - size.width()) / 2.0)),
                int(std::nearbyint((screen.height() - size.height()) / 2.0)));
}

// Owned by the dialog it centres.
class ShowCentring : public QObject
{
public:
    explicit ShowCentring(QWidget *dialog) : QObject(dialog) {}
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched == parent())
            centre(*static_cast<QWidget *>(watched));
        return false;
    }
};

} // namespace

void QtDialogs::place(QWidget &dialog, const Placement &placement)
{
    if (placement.title)
        dialog.setWindowTitle(*placement.title);
    if (placement.position)
        dialog.move(*placement.position);
    if (placement.centred) {
        centre(dialog);
        // A dialog may settle its size only as it shows; it is centred again then.
        dialog.installEventFilter(new ShowCentring(&dialog));
    }
}

QStringList QtDialogs::nameFilters(const QString &platformFilter)
{
    // A description usually repeats its patterns in brackets: "JPG (*.JPG)".
    // That part is dropped and written afresh from the real patterns, so the
    // dialog shows each pattern once and matches by what it shows.
    static const QRegularExpression shownPatterns(QStringLiteral("\\s*\\([^()]*[*?][^()]*\\)\\s*$"));

    const QStringList parts = platformFilter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i).trimmed();
        QStringList patterns;
        for (const QString &piece : parts.at(i + 1).split(u';')) {
            const QString pattern = piece.trimmed();
            if (pattern.isEmpty())
                continue;
            // The platform's file names ignore case; Qt's patterns need both.
            for (const QString &variant : {pattern, pattern.toLower(), pattern.toUpper()}) {
                if (!patterns.contains(variant))
                    patterns.append(variant);
            }
        }
        if (description.isEmpty() || patterns.isEmpty())
            break;
        description.remove(shownPatterns);
        const QString joined = u'(' + patterns.join(u' ') + u')';
        filters.append(description.isEmpty() ? joined : description + u' ' + joined);
    }
    return filters;
}

QColor QtDialogs::toQColor(uint32_t oleColor)
{
    return gdi::oleToQColor(oleColor);
}

uint32_t QtDialogs::toOleColor(const QColor &color)
{
    const QColor rgb = color.toRgb();
    return gdi::rgb(rgb.red(), rgb.green(), rgb.blue());
}

std::optional<QString> QtDialogs::openFile(QWidget *parent, const QString &title, const QString &filter,
                                           int filterIndex, const QString &fileName, int flags)
{
    // Qt's open dialog only ever returns an existing file, which covers the
    // path and file flags; it has no read-only box to hide.
    Q_UNUSED(flags)
    QFileDialog dialog(parent, title.isEmpty() ? QStringLiteral("Öffnen") : title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    prepareFileDialog(dialog, filter, filterIndex, fileName);
    return runFileDialog(dialog);
}

std::optional<QString> QtDialogs::saveFile(QWidget *parent, const QString &title, const QString &filter,
                                           int filterIndex, const QString &fileName, int flags)
{
    QFileDialog dialog(parent, title.isEmpty() ? QStringLiteral("Speichern unter") : title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(flags & CommonDialog::FileOverwritePrompt));
    prepareFileDialog(dialog, filter, filterIndex, fileName);
    return runFileDialog(dialog);
}

std::optional<uint32_t> QtDialogs::color(QWidget *parent, uint32_t initial, int flags)
{
    // Whether to start from Color is the caller's choice; it hands over black otherwise.
    Q_UNUSED(flags)
    QColorDialog dialog(toQColor(initial), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return toOleColor(dialog.selectedColor());
}

std::optional<FontChoice> QtDialogs::font(QWidget *parent, const FontChoice &initial, int flags)
{
    // Qt's font dialog always offers underline and strike-through; the caller
    // ignores them without the effects flag.
    return chooseFont(parent, initial, flags).value;
}

Outcome<FontChoice> QtDialogs::chooseFont(QWidget *parent, const FontChoice &initial, int flags)
{
    Q_UNUSED(flags)
    QFont start; // the application's font where no name or size is set
    const QString face = initial.name.isEmpty() ? QString() : installedFace(initial.name);
    if (!face.isEmpty())
        start.setFamily(face);
    if (initial.size > 0)
        start.setPointSizeF(initial.size);
    start.setBold(initial.bold);
    start.setItalic(initial.italic);
    if (!face.isEmpty())
        start.setStyleName(closestStyle(face, initial.bold, initial.italic));
    start.setUnderline(initial.underline);
    start.setStrikeOut(initial.strikethru);

    QFontDialog dialog(start, parent);
    if (dialog.exec() != QDialog::Accepted)
        return Outcome<FontChoice>::failed();
    const QFont chosen = dialog.selectedFont();
    FontChoice result = initial; // keeps the colour: Qt's dialog has none
    // The face that draws the name hands the name back, so "Arial" stays
    // "Arial"; a face picked in the dialog is kept under its own name.
    if (face.isEmpty() || chosen.family().compare(face, Qt::CaseInsensitive) != 0)
        result.name = chosen.family();
    if (chosen.pointSizeF() > 0)
        result.size = chosen.pointSizeF();
    result.bold = chosen.bold();
    result.italic = chosen.italic();
    result.underline = chosen.underline();
    result.strikethru = chosen.strikeOut();
    return Outcome<FontChoice>::accepted(result);
}

std::optional<QString> QtDialogs::folder(QWidget *parent, const QString &title)
{
    QFileDialog dialog(parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    const std::optional<QString> chosen = runFileDialog(dialog);
    if (!chosen)
        return std::nullopt;
    // cleanPath drops a trailing "/" but keeps the root as "/".
    return QDir::cleanPath(QDir::fromNativeSeparators(*chosen));
}

std::optional<QString> QtDialogs::browseFolder(QWidget *parent, const FolderRequest &request)
{
    if (request.noPath)
        return std::nullopt; // nothing there has a folder to hand back
    const QString root = request.root.isEmpty() ? QStringLiteral("/") : QDir::cleanPath(request.root);
    const auto inside = [&root](const QString &path) {
        const QString clean = QDir::cleanPath(path);
        return root == QLatin1String("/") || clean == root || clean.startsWith(root + u'/');
    };
    QFileDialog dialog(parent, request.prompt.isEmpty() ? QStringLiteral("Ordner suchen") : request.prompt);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setDirectory(!request.start.isEmpty() && inside(request.start) ? request.start : root);
    // Qt's dialog knows no root: whoever leaves it is brought back.
    QObject::connect(&dialog, &QFileDialog::directoryEntered, &dialog,
                     [&dialog, &root, inside](const QString &dir) {
                         if (!inside(dir))
                             dialog.setDirectory(root);
                     });
    const std::optional<QString> chosen = runFileDialog(dialog);
    if (!chosen || !inside(*chosen))
        return std::nullopt;
    return QDir::cleanPath(QDir::fromNativeSeparators(*chosen));
}

} // namespace comdlg

namespace comdlg
{

Outcome<QStringList> QtDialogs::files(QWidget *parent, const FileRequest &request)
{
    QFileDialog dialog(parent, request.save ? QStringLiteral("Speichern unter") : QStringLiteral("Öffnen"));
    if (request.save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite,
                         !(request.flags & CommonDialog::FileOverwritePrompt));
    } else {
        // Qt's open dialog only ever returns existing files, which covers the
        // path and file flags.
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode((request.flags & FileAllowMultiselect) ? QFileDialog::ExistingFiles
                                                                  : QFileDialog::ExistingFile);
    }
    if (!request.folder.isEmpty())
        dialog.setDirectory(request.folder);
    QString suffix = request.defaultExt;
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    prepareFileDialog(dialog, request.filter, request.filterIndex, request.fileName);
    place(dialog, request.placement);
    if (dialog.exec() != QDialog::Accepted)
        return Outcome<QStringList>::failed();
    QStringList chosen = dialog.selectedFiles();
    chosen.removeAll(QString());
    if (chosen.isEmpty())
        return Outcome<QStringList>::failed();
    return Outcome<QStringList>::accepted(chosen);
}

Outcome<ColorChoice> QtDialogs::chooseColor(QWidget *parent, const ColorChoice &initial, int flags,
                                            const Placement &placement)
{
    // Qt's dialog always shows its custom colours; full-open and its
    // prevention have nothing to act on.
    Q_UNUSED(flags)
    // Qt keeps the custom colours for the whole program; they are loaded
    // from the caller's table before each dialog and read back after it.
    const int shared = std::min<int>(QColorDialog::customCount(), int(initial.custom.size()));
    for (int i = 0; i < shared; ++i)
        QColorDialog::setCustomColor(i, toQColor(initial.custom[size_t(i)]));
    QColorDialog dialog(toQColor(initial.color), parent);
    place(dialog, placement);
    if (dialog.exec() != QDialog::Accepted)
        return Outcome<ColorChoice>::failed();
    ColorChoice result = initial;
    result.color = toOleColor(dialog.selectedColor());
    for (int i = 0; i < shared; ++i)
        result.custom[size_t(i)] = toOleColor(QColorDialog::customColor(i));
    return Outcome<ColorChoice>::accepted(result);
}

Outcome<spooler::DeviceMode> QtDialogs::printSetup(QWidget *parent, const spooler::DeviceMode &initial,
                                                   int flags)
{
    QPrinter printer;
    applyMode(printer, initial);
    QPrintDialog dialog(&printer, parent);
    if (flags & (PrintDisablePrintToFile | PrintHidePrintToFile))
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return Outcome<spooler::DeviceMode>::failed();
    return Outcome<spooler::DeviceMode>::accepted(modeOf(printer, initial));
}

Outcome<spooler::DeviceMode> QtDialogs::printerProperties(QWidget *parent, const spooler::DeviceMode &initial)
{
    QPrinter printer;
    applyMode(printer, initial);
    QPageSetupDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return Outcome<spooler::DeviceMode>::failed();
    spooler::DeviceMode mode = modeOf(printer, initial);
    mode.deviceName = initial.deviceName; // the printer itself is not chosen here
    return Outcome<spooler::DeviceMode>::accepted(mode);
}

Outcome<std::shared_ptr<QPrinter>> QtDialogs::print(QWidget *parent, const QString &title, int flags)
{
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (!title.isEmpty())
        dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, !(flags & CommonDialog::PrintNoPageNums));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !(flags & CommonDialog::PrintNoSelection));
    if (flags & CommonDialog::PrintSelection)
        printer->setPrintRange(QPrinter::Selection);
    if (flags & (PrintDisablePrintToFile | PrintHidePrintToFile))
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialog.exec() != QDialog::Accepted)
        return Outcome<std::shared_ptr<QPrinter>>::failed();
    return Outcome<std::shared_ptr<QPrinter>>::accepted(std::move(printer));
}

} // namespace comdlg
