#pragma once

#include "reader/compact_text.h"

#include <QObject>
#include <QString>

class QTextDocument;

namespace tellwick {

// A copy of a document's raw text (paragraphs parted by U+2029), kept up to date as the document
// changes. Reading the text out of a QTextDocument takes time in proportion to its length (some
// 65 ms for 10 MB), more than the first word of a Read may wait; the copy costs a little on each
// edit instead, and Read takes it at once. It is kept compact (a book in a Latin script takes a
// byte a character), and its copies share what they have in common with it.
class RawTextMirror : public QObject {
    Q_OBJECT

public:
    explicit RawTextMirror(QTextDocument* document);

    const CompactText& text() const { return text_; }
    // Runs change, which replaces the whole document by one whose raw text is raw, without
    // reading the new text back.
    template <typename Change> void replaceAll(QStringView raw, Change&& change) {
        following_ = false;
        change();
        following_ = true;
        text_ = CompactText(raw);
    }

private:
    void follow(int position, int removed, int added);

    QTextDocument* document_;
    CompactText text_;
    bool following_ = true;
};

} // namespace tellwick
