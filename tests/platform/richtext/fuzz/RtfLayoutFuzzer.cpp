// Feeds arbitrary bytes to the RTF reader and lays out and paints what it
// read, as the rich-text box shows it: the reader must hand the text engine
// only what a page holds, so no input may make the layout or the painting
// crash, hang or take memory without bound. Then the box itself reads the
// bytes as a stored entry, the rest in steps from the event loop, and one of
// the user's commands that need the whole entry comes while it reads.

#include "platform/richtext/RichTextBox.h"
#include "tests/platform/richtext/fuzz/FuzzedRtf.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QTextDocument>
#include <QTextEdit>

#include <cstdint>
#include <memory>

namespace
{

// Shown once: each input is a new entry in the same box, as in the diary.
richtext::RichTextBox &shownBox()
{
    static const std::unique_ptr<richtext::RichTextBox> box = [] {
        auto made = std::make_unique<richtext::RichTextBox>();
        made->resize(400, 300);
        made->show();
        return made;
    }();
    return *box;
}

void pressWithCtrl(QWidget *editor, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::ControlModifier);
    QCoreApplication::sendEvent(editor, &press);
}

// An entry longer than the box reads at first: the rest is due on the
// event loop's timer when the command comes. The input's length picks the
// command, so the same bytes always take the same path.
void readInStepsWhileUsed(const uint8_t *data, size_t size)
{
    richtext::RichTextBox &box = shownBox();
    box.setStoredRTF(QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)));
    switch (size % 5) {
    case 0:
        pressWithCtrl(box.editor(), Qt::Key_End);
        break;
    case 1:
        pressWithCtrl(box.editor(), Qt::Key_A);
        break;
    case 2:
        box.text();
        break;
    case 3:
        box.find(QStringLiteral("Wort"));
        break;
    default:
        box.setFontName(size % 2 ? QStringLiteral("Times New Roman") : QStringLiteral("Arial"));
        break;
    }
    QCoreApplication::processEvents();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTextDocument doc;
    readFuzzedRtf(data, size, doc);

    // A page of the preview's width, laid out whole, its top and its end painted.
    constexpr int kWidth = 400;
    constexpr int kHeight = 600;
    doc.setTextWidth(kWidth);
    const QSizeF laidOut = doc.documentLayout()->documentSize();
    QImage page(kWidth, kHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    doc.drawContents(&painter, QRectF(0, 0, kWidth, kHeight));
    painter.translate(0, kHeight - laidOut.height());
    doc.drawContents(&painter, QRectF(0, laidOut.height() - kHeight, kWidth, kHeight));

    readInStepsWhileUsed(data, size);
    return 0;
}
