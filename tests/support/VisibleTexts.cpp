#include "tests/support/VisibleTexts.h"

#include "platform/com/AutomationError.h"
#include "platform/com/Control.h"
#include "platform/com/StdFont.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

namespace testsupport
{

namespace
{

// The text as drawn: "&x" marks an access key, "&&" stands for "&".
QString withoutMnemonics(const QString &text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

QString pathOf(const QWidget *widget, const QWidget *window)
{
    QStringList names;
    for (const QWidget *w = widget; w && w != window; w = w->parentWidget())
        if (!w->objectName().isEmpty())
            names.prepend(w->objectName());
    names.prepend(window->objectName().isEmpty() ? QString::fromLatin1(window->metaObject()->className())
                                                 : window->objectName());
    return names.join(QLatin1Char('/'));
}

// Width and height of a one- or more-line plain text that does not wrap.
QSize plainSize(const QFontMetrics &fm, const QString &text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    return {width, int(lines.size()) * fm.height() + (int(lines.size()) - 1) * fm.leading()};
}

VisibleText make(const QWidget *widget, const QWidget *window, const QString &text, QSize needed,
                 QSize available)
{
    VisibleText t;
    t.where = pathOf(widget, window);
    t.text = text;
    t.neededWidth = needed.width();
    t.neededHeight = needed.height();
    t.availableWidth = available.width();
    t.availableHeight = available.height();
    return t;
}

void addLabel(QList<VisibleText> &out, QLabel *label, const QWidget *window)
{
    if (label->text().isEmpty())
        return;
    QRect room = label->contentsRect();
    const int margin = label->margin();
    room.adjust(margin, margin, -margin, -margin);
    const QFontMetrics fm(label->font());
    if (label->indent() > 0)
        room.adjust(label->indent(), 0, 0, 0);
    else if (label->indent() < 0 && label->frameWidth() > 0)
        room.adjust(fm.horizontalAdvance(QLatin1Char('x')) / 2, 0, 0, 0);
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(label->text()));
    QSize needed;
    if (rich) {
        QTextDocument doc;
        doc.setDefaultFont(label->font());
        doc.setDocumentMargin(0);
        doc.setHtml(label->text());
        if (label->wordWrap())
            doc.setTextWidth(room.width());
        needed = QSize(int(std::ceil(doc.idealWidth())), int(std::ceil(doc.size().height())));
    } else {
        const QString shown = label->buddy() ? withoutMnemonics(label->text()) : label->text();
        if (label->wordWrap()) {
            const QRect wrapped = fm.boundingRect(QRect(0, 0, room.width(), 1 << 20),
                                                  Qt::TextWordWrap | Qt::TextExpandTabs, shown);
            needed = wrapped.size();
        } else {
            needed = plainSize(fm, shown);
        }
    }
    out << make(label, window, label->text(), needed, room.size());
}

void addButton(QList<VisibleText> &out, QAbstractButton *button, const QWidget *window)
{
    if (button->text().isEmpty())
        return;
    const QString shown = withoutMnemonics(button->text());
    const QFontMetrics fm(button->font());
    if (auto *tool = qobject_cast<QToolButton *>(button)) {
        // A tool button drawing its icon only shows no text.
        if (!tool->icon().isNull() && tool->toolButtonStyle() == Qt::ToolButtonIconOnly)
            return;
        out << make(button, window, button->text(), tool->sizeHint(), tool->size());
        return;
    }
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox *>(button)) {
        contents = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<QRadioButton *>(button)) {
        contents = QStyle::SE_RadioButtonContents;
    } else if (auto *push = qobject_cast<QPushButton *>(button)) {
        if (push->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (push->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        if (push->isFlat())
            option.features |= QStyleOptionButton::Flat;
    }
    QRect room = button->style()->subElementRect(contents, &option, button);
    if (!button->icon().isNull())
        room.adjust(button->iconSize().width() + 4, 0, 0, 0);
    out << make(button, window, button->text(), plainSize(fm, shown), room.size());
}

void addLineEdit(QList<VisibleText> &out, QLineEdit *edit, const QWidget *window)
{
    const QString shown = edit->displayText();
    if (shown.isEmpty())
        return;
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->contentsRect();
    option.lineWidth =
        edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    QRect room = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    room = room.marginsRemoved(edit->textMargins());
    room.adjust(2, 0, -2, 0); // the line edit's own horizontal margin
    out << make(edit, window, shown, plainSize(QFontMetrics(edit->font()), shown), room.size());
}

void addList(QList<VisibleText> &out, QListView *list, const QWidget *window)
{
    const QAbstractItemModel *model = list->model();
    if (!model)
        return;
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    const QSize room = list->viewport()->size();
    for (int i = 0; i < model->rowCount(list->rootIndex()); ++i) {
        const QModelIndex index = model->index(i, list->modelColumn(), list->rootIndex());
        const QString text = index.data(Qt::DisplayRole).toString();
        const QVariant font = index.data(Qt::FontRole);
        const QFontMetrics fm(font.isValid() ? font.value<QFont>() : list->font());
        QSize needed = plainSize(fm, text);
        needed.rwidth() += 2 * margin;
        needed.setHeight(std::min(needed.height(), room.height())); // a list scrolls down
        out << make(list, window, text, needed, room);
    }
}

void addGroupBox(QList<VisibleText> &out, QGroupBox *box, const QWidget *window)
{
    if (box->title().isEmpty())
        return;
    QStyleOptionGroupBox option;
    option.initFrom(box);
    option.text = box->title();
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = box->alignment();
    const QRect frame =
        box->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxFrame, box);
    const QFontMetrics fm(box->font());
    // The title stands on the frame's top line, inside its corners.
    out << make(box, window, box->title(), plainSize(fm, withoutMnemonics(box->title())),
                QSize(frame.width() - 12, box->height()));
}

// A rich-text box of one line's height (a date line): its text must stand on
// one line inside the box.
void addOneLineText(QList<VisibleText> &out, QTextEdit *edit, const QWidget *window)
{
    QTextDocument *doc = edit->document();
    const QString text = doc->toPlainText();
    const QFontMetrics boxMetrics(edit->font());
    if (text.isEmpty() || edit->viewport()->height() >= 3 * boxMetrics.lineSpacing())
        return;
    int width = 0, height = 0;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        int line = 0, lineHeight = 0;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QFontMetrics fm(fragment.charFormat().font());
            line += fm.horizontalAdvance(fragment.text());
            lineHeight = std::max(lineHeight, fm.height());
        }
        width = std::max(width, line);
        height += lineHeight ? lineHeight : boxMetrics.height();
    }
    const int margin = int(std::ceil(doc->documentMargin()));
    const QSize needed(width + 2 * margin, height + 2 * margin);
    out << make(edit, window, text, needed, edit->viewport()->size());
}

// The library's controls draw their caption themselves, in their Font.
void addControl(QList<VisibleText> &out, com::Control *control, const QWidget *window)
{
    QString caption;
    std::shared_ptr<com::StdFont> font;
    try {
        caption = control->get(QStringLiteral("Caption")).toString();
        font = std::dynamic_pointer_cast<com::StdFont>(control->get(QStringLiteral("Font")).objectRef());
    } catch (const com::AutomationError &) {
        return; // no caption of its own
    }
    if (caption.isEmpty() || !font)
        return;
    const QFontMetrics fm(font->toQFont());
    QRect room = control->rect();
    if (QString::fromLatin1(control->metaObject()->className()).endsWith(QLatin1String("FlatButton")))
        room.adjust(2, 2, -2, -2); // inside its frame
    out << make(control, window, caption, plainSize(fm, withoutMnemonics(caption)), room.size());
}

// A widget reaching beyond a widget that holds it is cut off there.
void addCutOff(QList<VisibleText> &out, QWidget *widget, const QWidget *window)
{
    QRect shown = widget->rect();
    for (QWidget *w = widget; w != window && w->parentWidget(); w = w->parentWidget()) {
        shown.translate(w->pos());
        shown &= w->parentWidget()->rect();
    }
    const QSize full = widget->size();
    if (shown.size() != full)
        out << make(widget, window, QStringLiteral("(Ausdehnung)"), full,
                    shown.size().expandedTo(QSize(0, 0)));
}

} // namespace

QString VisibleText::describe() const
{
    return QStringLiteral("%1: \"%2\" needs %3 x %4, has %5 x %6")
        .arg(where, text)
        .arg(neededWidth)
        .arg(neededHeight)
        .arg(availableWidth)
        .arg(availableHeight);
}

QList<VisibleText> visibleTexts(QWidget *window)
{
    QList<VisibleText> out;
    QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->isVisibleTo(window) || widget->isWindow())
            continue;
        const int before = int(out.size());
        if (auto *label = qobject_cast<QLabel *>(widget))
            addLabel(out, label, window);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            addButton(out, button, window);
        else if (auto *edit = qobject_cast<QLineEdit *>(widget))
            addLineEdit(out, edit, window);
        else if (auto *list = qobject_cast<QListView *>(widget))
            addList(out, list, window);
        else if (auto *text = qobject_cast<QTextEdit *>(widget))
            addOneLineText(out, text, window);
        else if (auto *group = qobject_cast<QGroupBox *>(widget))
            addGroupBox(out, group, window);
        else if (auto *control = qobject_cast<com::Control *>(widget))
            addControl(out, control, window);
        if (int(out.size()) > before)
            addCutOff(out, widget, window);
    }
    return out;
}

QStringList clippedTexts(QWidget *window)
{
    QStringList clipped;
    for (const VisibleText &text : visibleTexts(window))
        if (!text.fits())
            clipped << text.describe();
    return clipped;
}

} // namespace testsupport
