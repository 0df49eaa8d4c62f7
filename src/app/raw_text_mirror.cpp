#include "app/raw_text_mirror.h"

#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace tellwick {

RawTextMirror::RawTextMirror(QTextDocument* document)
    : QObject(document), document_(document), text_(document->toRawText()) {
    connect(document, &QTextDocument::contentsChange, this, &RawTextMirror::follow);
}

void RawTextMirror::follow(int position, int removed, int added) {
    if (!following_)
        return;
    // A change may count the document's closing paragraph end, which its raw text leaves out.
    const int length = document_->characterCount() - 1;
    const int end = std::min(position + added, length);
    QTextCursor cursor(document_);
    cursor.setPosition(position);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    text_.replace(position, std::min<qsizetype>(removed, text_.size() - position),
                  cursor.selectedText());
}

} // namespace tellwick
