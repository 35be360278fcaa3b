#include "platform/comdlg/QtDialogs.h"

#include "platform/comdlg/CommonDialog.h"
#include "platform/gdi/SystemColors.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QRegularExpression>

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

std::optional<QString> runFileDialog(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.constFirst().isEmpty())
        return std::nullopt;
    return files.constFirst();
}

} // namespace

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
    const gdi::ColorRef rgb = gdi::oleToColorRef(oleColor);
    return QColor(gdi::redOf(rgb), gdi::greenOf(rgb), gdi::blueOf(rgb));
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
    Q_UNUSED(flags)
    QFont start; // the application's font where no name or size is set
    if (!initial.name.isEmpty())
        start.setFamily(initial.name);
    if (initial.size > 0)
        start.setPointSizeF(initial.size);
    start.setBold(initial.bold);
    start.setItalic(initial.italic);
    start.setUnderline(initial.underline);
    start.setStrikeOut(initial.strikethru);

    QFontDialog dialog(start, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QFont chosen = dialog.selectedFont();
    FontChoice result = initial; // keeps the colour: Qt's dialog has none
    result.name = chosen.family();
    if (chosen.pointSizeF() > 0)
        result.size = chosen.pointSizeF();
    result.bold = chosen.bold();
    result.italic = chosen.italic();
    result.underline = chosen.underline();
    result.strikethru = chosen.strikeOut();
    return result;
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

} // namespace comdlg
