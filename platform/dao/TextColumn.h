#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace dao
{

// The texts of one column of many records, kept as UTF-8 in one block: about
// a third of the memory of as many strings, which matters for a diary of
// 100,000 days listed for the whole run.
class TextColumn
{
public:
    qsizetype size() const { return qsizetype(m_spans.size()); }
    bool isEmpty() const { return m_spans.empty(); }
    QString at(qsizetype index) const { return QString::fromUtf8(utf8At(index)); }
    QByteArrayView utf8At(qsizetype index) const;
    // The first record whose text equals this one exactly, or -1.
    qsizetype indexOf(const QString &text) const;

    void append(QByteArrayView utf8);
    void reserve(qsizetype records) { m_spans.reserve(size_t(records)); }
    // Record i becomes the one that was at order[i]; the texts stay where
    // they are, so nothing is copied.
    void reorder(const std::vector<qsizetype> &order);

private:
    struct Span {
        qsizetype begin;
        qsizetype length;
    };
    QByteArray m_utf8;
    std::vector<Span> m_spans;
};

} // namespace dao
