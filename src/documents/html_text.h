#pragma once

#include <QString>
#include <QStringView>

namespace tellwick {

// The text a browser shows of an HTML or XHTML page: no markup, scripts, styles or comments;
// character references decoded; runs of white space one space, as a browser lays them out (kept
// within <pre>); each heading, paragraph, list item and other block a line of its own.
QString htmlToText(QStringView html);

} // namespace tellwick
