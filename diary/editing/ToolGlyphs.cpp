#include "diary/editing/ToolGlyphs.h"

#include "platform/runtime/FontSubstitutes.h"

#include <QPainter>
#include <QPixmap>
#include <functional>
#include <map>

namespace kalvento
{

namespace
{

constexpr int Size = 16;
const QColor Ink(0x20, 0x20, 0x20);

QFont letterFont(int pixels, bool bold = false, bool italic = false)
{
    QFont font = rt::FontSubstitutes::font(QStringLiteral("Arial"), 0);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void letter(QPainter &p, const QString &text, const QFont &font, const QRect &box = QRect(0, 0, Size, Size))
{
    p.setFont(font);
    p.setPen(Ink);
    p.drawText(box, Qt::AlignCenter, text);
}

// Four text lines as the alignment shows them: 0 left, 1 centred, 2 right.
void alignedLines(QPainter &p, int alignment)
{
    const int lengths[] = {14, 9, 14, 7};
    for (int i = 0; i < 4; ++i) {
        const int length = lengths[i];
        const int left = alignment == 0 ? 1 : alignment == 1 ? (Size - length) / 2 : Size - 1 - length;
        p.fillRect(left, 2 + i * 4, length, 2, Ink);
    }
}

using Painter = std::function<void(QPainter &)>;

const std::map<QString, Painter> &painters()
{
    static const std::map<QString, Painter> table{
        {QStringLiteral("fett"), [](QPainter &p) { letter(p, QStringLiteral("F"), letterFont(14, true)); }},
        {QStringLiteral("kursiv"),
         [](QPainter &p) { letter(p, QStringLiteral("K"), letterFont(14, false, true)); }},
        {QStringLiteral("unterstrichen"),
         [](QPainter &p) {
             letter(p, QStringLiteral("U"), letterFont(13), QRect(0, -1, Size, 14));
             p.fillRect(3, 14, 10, 1, Ink);
         }},
        {QStringLiteral("durchgestrichen"),
         [](QPainter &p) {
             letter(p, QStringLiteral("S"), letterFont(14));
             p.fillRect(2, 8, 12, 1, QColor(0xC0, 0, 0));
         }},
        {QStringLiteral("schriftart"),
         [](QPainter &p) {
             letter(p, QStringLiteral("A"), letterFont(13, true), QRect(0, 0, 10, Size));
             letter(p, QStringLiteral("a"), letterFont(10), QRect(9, 4, 7, 12));
         }},
        {QStringLiteral("schriftfarbe"),
         [](QPainter &p) {
             letter(p, QStringLiteral("A"), letterFont(12, true), QRect(0, -1, Size, 13));
             p.fillRect(2, 12, 12, 3, QColor(0xE0, 0x10, 0x10));
         }},
        {QStringLiteral("hintergrund"),
         [](QPainter &p) {
             p.fillRect(1, 2, 14, 12, QColor(0xFF, 0xE8, 0x40));
             p.setPen(Ink);
             p.drawRect(1, 2, 13, 11);
             p.fillRect(4, 5, 8, 1, Ink);
             p.fillRect(4, 8, 6, 1, Ink);
             p.fillRect(4, 11, 8, 1, Ink);
         }},
        {QStringLiteral("aufzaehlung"),
         [](QPainter &p) {
             for (int i = 0; i < 3; ++i) {
                 p.fillRect(1, 2 + i * 5, 3, 3, Ink);
                 p.fillRect(6, 3 + i * 5, 9, 1, Ink);
             }
         }},
        {QStringLiteral("links"), [](QPainter &p) { alignedLines(p, 0); }},
        {QStringLiteral("mitte"), [](QPainter &p) { alignedLines(p, 1); }},
        {QStringLiteral("rechts"), [](QPainter &p) { alignedLines(p, 2); }},
        {QStringLiteral("einfuegen"),
         [](QPainter &p) {
             p.fillRect(2, 2, 11, 13, QColor(0xA0, 0x70, 0x30)); // the board
             p.fillRect(5, 1, 5, 3, QColor(0x60, 0x60, 0x60));   // its clip
             p.fillRect(6, 5, 9, 10, Qt::white);                 // the sheet
             p.setPen(Ink);
             p.drawRect(6, 5, 8, 9);
             p.fillRect(8, 8, 5, 1, Ink);
             p.fillRect(8, 11, 5, 1, Ink);
         }},
        {QStringLiteral("schlie"),
         [](QPainter &p) {
             QPen pen(Ink, 2);
             p.setPen(pen);
             p.drawLine(4, 4, 12, 12);
             p.drawLine(12, 4, 4, 12);
         }},
    };
    return table;
}

} // namespace

QIcon toolGlyph(const QString &key)
{
    const auto it = painters().find(key);
    if (it == painters().end())
        return QIcon();
    QPixmap pixmap(Size, Size);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        it->second(painter);
    }
    return QIcon(pixmap);
}

} // namespace kalvento
