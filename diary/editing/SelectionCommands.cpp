#include "diary/editing/SelectionCommands.h"

#include "diary/forms/MsgBox.h"
#include "platform/com/AutomationError.h"
#include "platform/comdlg/CommonDialog.h"
#include "platform/richtext/Picture.h"
#include "platform/richtext/RichTextBox.h"
#include "platform/runtime/Clipboard.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPixmap>

namespace kalvento
{

namespace
{

const QString PictureFilter = QStringLiteral("JPG (*.JPG)|*.JPG|BMP (*.BMP)|*.BMP");
constexpr int FontFlags = comdlg::CommonDialog::FontScreenFonts | comdlg::CommonDialog::FontEffects; // 257
constexpr int PictureFlags = comdlg::CommonDialog::FileMustExist | comdlg::CommonDialog::FilePathMustExist |
                             comdlg::CommonDialog::FileHideReadOnly; // 6148
constexpr int ShowColorAction = 3;

// A number as the runtime's Str writes it: a blank where a minus could stand.
QString signedNumber(int number)
{
    return (number < 0 ? QString() : QStringLiteral(" ")) + QString::number(number);
}

bool flagOf(const com::Variant &value)
{
    return NullDefault(value, com::Variant::fromBool(false)).toBool();
}

} // namespace

com::Variant NullDefault(const com::Variant &value, const com::Variant &fallback)
{
    return value.isNull() ? fallback : value;
}

SelectionCommands::SelectionCommands(richtext::RichTextBox &box, comdlg::CommonDialog &dialog)
    : m_box(box), m_dialog(dialog)
{
}

void SelectionCommands::toggleBold()
{
    m_box.setSelBold(!flagOf(m_box.selBold()));
}

void SelectionCommands::toggleItalic()
{
    m_box.setSelItalic(!flagOf(m_box.selItalic()));
}

void SelectionCommands::toggleUnderline()
{
    m_box.setSelUnderline(!flagOf(m_box.selUnderline()));
}

void SelectionCommands::toggleStrikeThru()
{
    m_box.setSelStrikeThru(!flagOf(m_box.selStrikeThru()));
}

void SelectionCommands::align(int alignment)
{
    m_box.setSelAlignment(alignment);
}

void SelectionCommands::toggleBullet()
{
    if (flagOf(m_box.selBullet())) {
        m_box.setSelBullet(false);
        m_box.setSelIndent(0);
        return;
    }
    m_box.setSelBullet(true);
    m_box.setSelHangingIndent(0.5 * IndentUnit);
    m_box.setSelIndent(1.5 * IndentUnit);
}

bool SelectionCommands::confirmed(void (comdlg::CommonDialog::*show)())
{
    // A cancel must be told apart from a confirmation that kept the values.
    m_dialog.setCancelError(true);
    try {
        (m_dialog.*show)();
    } catch (const com::AutomationError &error) {
        if (error.number() == com::ErrCancel)
            return false;
        throw;
    }
    return true;
}

void SelectionCommands::chooseFont(const QString &messageTitle)
{
    m_dialog.setFontBold(flagOf(m_box.selBold()));
    m_dialog.setFontItalic(flagOf(m_box.selItalic()));
    m_dialog.setFontUnderline(flagOf(m_box.selUnderline()));
    m_dialog.setFontStrikethru(flagOf(m_box.selStrikeThru()));
    m_dialog.setColor(NullDefault(m_box.selColor(), com::Variant::fromLong(0)).toColor());
    m_dialog.setFontName(NullDefault(m_box.selFontName(), com::Variant(QString())).toString());
    m_dialog.setFontSize(NullDefault(m_box.selFontSize(), com::Variant::fromLong(0)).toDouble());
    try {
        m_dialog.setFlags(FontFlags);
        if (!confirmed(&comdlg::CommonDialog::ShowFont))
            return;
    } catch (const com::AutomationError &error) {
        MsgBox(QStringLiteral("Fehler ") + signedNumber(error.number()) +
                   QStringLiteral(" bei Auswahl der Schriftart.") + QStringLiteral("\r\n") +
                   error.description(),
               0, messageTitle);
        return;
    }
    m_box.setSelBold(m_dialog.FontBold());
    m_box.setSelItalic(m_dialog.FontItalic());
    m_box.setSelUnderline(m_dialog.FontUnderline());
    m_box.setSelStrikeThru(m_dialog.FontStrikethru());
    m_box.setSelColor(m_dialog.Color());
    m_box.setSelFontName(m_dialog.FontName());
    m_box.setSelFontSize(m_dialog.FontSize());
}

void SelectionCommands::chooseColor()
{
    m_dialog.setFlags(comdlg::CommonDialog::ColorRgbInit);
    if (confirmed(&comdlg::CommonDialog::ShowColor))
        m_box.setSelColor(m_dialog.Color());
}

void SelectionCommands::chooseBackground()
{
    // Keeps the flags of the dialog's last use; a failure changes nothing.
    try {
        m_dialog.setCancelError(true);
        m_dialog.setAction(ShowColorAction);
        m_box.setBackColor(m_dialog.Color());
    } catch (const com::AutomationError &) {
    }
}

void SelectionCommands::insertPicture(QLabel &pic1)
{
    m_dialog.setFilter(PictureFilter);
    m_dialog.setFlags(PictureFlags);
    if (!confirmed(&comdlg::CommonDialog::ShowOpen))
        return;
    // Read by content: the file's ending may not tell its kind.
    QFile file(m_dialog.FileName());
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const QImage image = QImage::fromData(bytes);
    if (image.isNull()) {
        MsgBox(QStringLiteral(
                   "Die Datei \"%1\" konnte nicht als Grafik geladen werden.\rEs wurde nichts eingefügt.")
                   .arg(QFileInfo(m_dialog.FileName()).fileName()),
               48, QStringLiteral("Grafik einfügen"));
        return;
    }
    pic1.setPixmap(QPixmap::fromImage(image));
    rt::Clipboard::clear();
    // A photo keeps its own encoding; a bitmap is stored as PNG.
    if (richtext::Picture::kindOf(bytes) == richtext::Picture::Kind::Jpeg)
        rt::Clipboard::setPicture(image, bytes, QStringLiteral("image/jpeg"));
    else
        rt::Clipboard::setImage(image);
    m_box.paste();
    m_box.setFocus();
}

void SelectionCommands::cut()
{
    copy();
    deleteSelection();
}

void SelectionCommands::copy()
{
    rt::Clipboard::setText(m_box.selText());
}

void SelectionCommands::deleteSelection()
{
    const int start = m_box.selStart();
    m_box.setSelText(QString());
    m_box.setSelStart(start);
}

void SelectionCommands::pasteText()
{
    m_box.setSelText(rt::Clipboard::text());
}

void SelectionCommands::selectAll()
{
    m_box.setSelStart(0);
    m_box.setSelLength(int(m_box.text().length()));
}

void SelectionCommands::clearClipboard()
{
    rt::Clipboard::clear();
}

} // namespace kalvento
