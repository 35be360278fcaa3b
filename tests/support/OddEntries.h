#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Entries as a diary restored from elsewhere may hold them, as stored (ASCII
// RTF): each asks the rich-text box for far more than a page shows. Shared by
// the box's tests and its benchmark.
namespace oddentries
{

// The names, in the order the benchmark runs them.
QStringList names();
// The entry of that name; empty for an unknown name.
QByteArray make(const QString &name);
// The plain text it holds, paragraphs ending in CR LF as the box gives them.
QString text(const QString &name);

} // namespace oddentries
