#pragma once

#include "platform/com/Variant.h"

#include <QString>

class QLabel;

namespace comdlg
{
class CommonDialog;
}

namespace richtext
{
class RichTextBox;
}

namespace kalvento
{

// The value, or the fallback when the value is Null (a selection whose
// characters differ).
com::Variant NullDefault(const com::Variant &value, const com::Variant &fallback);

// The editing commands the editor windows share: each works on one rich-text
// box, its selection and the window's one common dialog. A cancelled dialog
// changes nothing, whatever the dialog's CancelError says.
class SelectionCommands
{
public:
    SelectionCommands(richtext::RichTextBox &box, comdlg::CommonDialog &dialog);

    // A mixed selection counts as off, so the toggle turns the format on.
    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    void toggleStrikeThru();
    // 0 left, 1 right, 2 centred.
    void align(int alignment);
    // Bullets on with their indents, or off with the left indent removed.
    void toggleBullet();

    // The font dialog filled from the selection, applied on confirmation.
    // Other failures than a cancel are told in a message with this title.
    void chooseFont(const QString &messageTitle);
    void chooseColor();
    // The whole box's back colour.
    void chooseBackground();
    // A JPG or BMP file chosen by the user, inserted at the selection through
    // the clipboard. pic1 keeps the picture.
    void insertPicture(QLabel &pic1);

    void cut();
    void copy();
    // Removes the selection; the rest keeps its formats and pictures.
    void deleteSelection();
    void pasteText();
    void selectAll();
    static void clearClipboard();

    // Indents of bulleted paragraphs: the hanging indent and the left indent,
    // in units of this many twips (one centimetre).
    static constexpr double IndentUnit = 567.0;

private:
    bool confirmed(void (comdlg::CommonDialog::*show)());

    richtext::RichTextBox &m_box;
    comdlg::CommonDialog &m_dialog;
};

} // namespace kalvento
