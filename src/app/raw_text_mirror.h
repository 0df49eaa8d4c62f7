#pragma once

#include <QObject>
#include <QString>

class QTextDocument;

namespace tellwick {

// A copy of a document's raw text (paragraphs parted by U+2029), kept up to date as the document
// changes. Reading the text out of a QTextDocument takes time in proportion to its length (some
// 65 ms for 10 MB), more than the first word of a Read may wait; the copy costs a little on each
// edit instead, and Read takes it at once.
class RawTextMirror : public QObject {
    Q_OBJECT

public:
    explicit RawTextMirror(QTextDocument* document);

    const QString& text() const { return text_; }
    // Makes room for a text that grows to length as it comes in: growing a book's text step by
    // step would copy it, with both copies in memory for a moment.
    void reserve(qsizetype length) { text_.reserve(length); }
    // Runs change, which replaces the whole document by one whose raw text is raw, without
    // reading the new text back.
    template <typename Change> void replaceAll(QString raw, Change&& change) {
        following_ = false;
        change();
        following_ = true;
        text_ = std::move(raw);
    }

private:
    void follow(int position, int removed, int added);

    QTextDocument* document_;
    QString text_;
    bool following_ = true;
};

} // namespace tellwick
