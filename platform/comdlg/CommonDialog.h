#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <memory>

class QPrinter;
class QWidget;

namespace comdlg
{

// The form runtime's common-dialog control: one object holds the settings
// and results of the open, save, colour and font dialogs, so a property set
// for one dialog stays set for the next. A cancelled dialog leaves the
// results as they were and, with CancelError on, raises error 32755.
class CommonDialog : public QObject
{
    Q_OBJECT
public:
    // Flags the callers pass (the platform's values).
    enum : int {
        ColorRgbInit = 0x1,        // colour dialog: start from Color
        FontScreenFonts = 0x1,     // font dialog
        FontEffects = 0x100,       // font dialog: underline, strike-through, colour
        FileHideReadOnly = 0x4,    // open dialog
        FilePathMustExist = 0x800, // open dialog
        FileMustExist = 0x1000,    // open dialog
        FileOverwritePrompt = 0x2, // save dialog
        PrintSelection = 0x1,      // print dialog: the selection is chosen
        PrintNoSelection = 0x4,    // print dialog: no selection choice
        PrintNoPageNums = 0x8,     // print dialog: no page range
        PrintReturnDC = 0x100,     // print dialog: hand back the printer to print on
    };

    // The dialogs open over this widget (nullptr: the active window), which
    // also owns this object.
    explicit CommonDialog(QWidget *owner = nullptr);
    ~CommonDialog() override;

    bool CancelError() const { return m_cancelError; }
    void setCancelError(bool on) { m_cancelError = on; }
    QString Filter() const { return m_filter; }
    void setFilter(const QString &filter) { m_filter = filter; }
    int FilterIndex() const { return m_filterIndex; }
    void setFilterIndex(int index) { m_filterIndex = index; }
    int Flags() const { return m_flags; }
    void setFlags(int flags) { m_flags = flags; }
    QString DialogTitle() const { return m_title; }
    void setDialogTitle(const QString &title) { m_title = title; }
    QString FileName() const { return m_fileName; }
    void setFileName(const QString &name) { m_fileName = name; }
    // The file name without its folder.
    QString FileTitle() const;

    uint32_t Color() const { return m_color; }
    void setColor(uint32_t oleColor) { m_color = oleColor; }
    QString FontName() const { return m_fontName; }
    void setFontName(const QString &name) { m_fontName = name; }
    double FontSize() const { return m_fontSize; }
    void setFontSize(double points) { m_fontSize = points; }
    bool FontBold() const { return m_fontBold; }
    void setFontBold(bool on) { m_fontBold = on; }
    bool FontItalic() const { return m_fontItalic; }
    void setFontItalic(bool on) { m_fontItalic = on; }
    bool FontUnderline() const { return m_fontUnderline; }
    void setFontUnderline(bool on) { m_fontUnderline = on; }
    bool FontStrikethru() const { return m_fontStrikethru; }
    void setFontStrikethru(bool on) { m_fontStrikethru = on; }

    void ShowOpen();
    void ShowSave();
    void ShowColor();
    void ShowFont();
    // The print dialog; on OK, Printer() is the printer chosen, set up to print on.
    void ShowPrinter();
    QPrinter *Printer() const { return m_printer.get(); }
    // Setting Action shows a dialog: 1 open, 2 save, 3 colour, 4 font; other
    // values raise error 380.
    int Action() const { return m_action; }
    void setAction(int action);

private:
    void cancelled();
    QWidget *dialogParent() const;

    QPointer<QWidget> m_owner; // may close before this object does
    bool m_cancelError = false;
    QString m_filter;
    int m_filterIndex = 0;
    int m_flags = 0;
    QString m_title;
    QString m_fileName;
    uint32_t m_color = 0;
    QString m_fontName;
    double m_fontSize = 0;
    bool m_fontBold = false;
    bool m_fontItalic = false;
    bool m_fontUnderline = false;
    bool m_fontStrikethru = false;
    int m_action = 0;
    std::shared_ptr<QPrinter> m_printer;
};

} // namespace comdlg
