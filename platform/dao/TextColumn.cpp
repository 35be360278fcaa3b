#include "platform/dao/TextColumn.h"

namespace dao
{

QByteArrayView TextColumn::utf8At(qsizetype index) const
{
    if (index < 0 || index >= size())
        return {};
    const Span &span = m_spans[size_t(index)];
    return QByteArrayView(m_utf8.constData() + span.begin, span.length);
}

qsizetype TextColumn::indexOf(const QString &text) const
{
    const QByteArray wanted = text.toUtf8();
    for (qsizetype i = 0; i < size(); ++i)
        if (utf8At(i) == QByteArrayView(wanted))
            return i;
    return -1;
}

void TextColumn::append(QByteArrayView utf8)
{
    m_spans.push_back({m_utf8.size(), utf8.size()});
    m_utf8.append(utf8);
}

void TextColumn::reorder(const std::vector<qsizetype> &order)
{
    std::vector<Span> spans;
    spans.reserve(order.size());
    for (const qsizetype from : order)
        spans.push_back(m_spans[size_t(from)]);
    m_spans = std::move(spans);
}

} // namespace dao
