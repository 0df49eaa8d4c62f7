#include "app/sliced_insertion.h"

#include <QTextDocument>

namespace tellwick {

namespace {

// Long enough to take in several slices per turn of the event loop, short enough for a key press
// or a repaint between turns to go unnoticed.
constexpr qint64 turnBudgetMs = 30;

bool continuesCharacter(const QString& text, qsizetype at) {
    return text[at].isLowSurrogate();
}

bool continuesCharacter(const QByteArray& utf8, qsizetype at) {
    return (static_cast<uchar>(utf8[at]) & 0xC0) == 0x80;
}

// The end of the slice that starts at from: after the last line end in reach, so that a line's
// carriage return and line feed stay together and lines are taken whole; where a slice holds no
// line end, never inside a character or a CR LF.
template <typename Text> qsizetype sliceEnd(const Text& text, qsizetype from) {
    const qsizetype limit = from + SlicedInsertion::sliceLength;
    if (limit >= text.size())
        return text.size();
    const qsizetype lineEnd = text.lastIndexOf('\n', limit - 1);
    if (lineEnd >= from)
        return lineEnd + 1;
    qsizetype end = limit;
    while (end > from + 1 && (continuesCharacter(text, end) || text[end - 1] == '\r'))
        --end;
    return end;
}

// The next slice of the pending text, which is then done up to its end.
QString takeSlice(qsizetype& done, const QByteArray& utf8, const QString& text,
                  const CompactText& compact) {
    const qsizetype from = done;
    if (!utf8.isEmpty()) {
        done = sliceEnd(utf8, from);
        return QString::fromUtf8(utf8.constData() + from, done - from);
    }
    if (!text.isEmpty()) {
        done = sliceEnd(text, from);
        return QStringView(text).mid(from, done - from).toString();
    }
    // One unit past a slice's length tells the text's last slice from the others.
    const QString reach = compact.mid(from, SlicedInsertion::sliceLength + 1);
    done = from + sliceEnd(reach, 0);
    return reach.left(done - from);
}

} // namespace

SlicedInsertion::SlicedInsertion(QObject* parent) : QObject(parent) {
    nextSlices_.setSingleShot(true);
    nextSlices_.setInterval(0);
    connect(&nextSlices_, &QTimer::timeout, this, &SlicedInsertion::insertSlices);
}

bool SlicedInsertion::insertedAtOnce(QTextCursor& cursor, const QString& text, bool undoable) {
    if (text.size() >= sliceLength)
        return false;
    if (!undoable && cursor.document())
        cursor.document()->setUndoRedoEnabled(false);
    cursor.insertText(text);
    if (!undoable && cursor.document())
        cursor.document()->setUndoRedoEnabled(true);
    return true;
}

void SlicedInsertion::insert(QTextCursor cursor, QString text, bool undoable) {
    if (text.isEmpty() || (pending_.empty() && insertedAtOnce(cursor, text, undoable)))
        return;
    Pending pending{std::move(cursor), {}, {}, {}, 0, undoable};
    if (QStringView(text).isValidUtf16())
        pending.utf8 = text.toUtf8();
    else
        pending.text = std::move(text);
    enqueue(std::move(pending));
}

void SlicedInsertion::insert(QTextCursor cursor, CompactText text, bool undoable) {
    if (text.isEmpty() || (pending_.empty() && text.size() < sliceLength &&
                           insertedAtOnce(cursor, text.toString(), undoable)))
        return;
    enqueue({std::move(cursor), {}, {}, std::move(text), 0, undoable});
}

void SlicedInsertion::enqueue(Pending pending) {
    pending_.push_back(std::move(pending));
    if (pending_.size() == 1)
        insertSlices();
}

void SlicedInsertion::cancel() {
    pending_.clear();
    afterwards_.clear();
    nextSlices_.stop();
}

void SlicedInsertion::whenDone(std::function<void()> then) {
    if (pending_.empty())
        then();
    else
        afterwards_.push_back(std::move(then));
}

void SlicedInsertion::insertSlice(Pending& pending) {
    QTextDocument* document = pending.cursor.document();
    // Turning undo off empties the document's undo, as a text set anew does.
    if (!pending.undoable)
        document->setUndoRedoEnabled(false);
    if (pending.done == 0)
        pending.cursor.beginEditBlock();
    else
        pending.cursor.joinPreviousEditBlock();
    pending.cursor.insertText(takeSlice(pending.done, pending.utf8, pending.text, pending.compact));
    pending.cursor.endEditBlock();
    if (!pending.undoable)
        document->setUndoRedoEnabled(true);
}

void SlicedInsertion::insertSlices() {
    QElapsedTimer turn;
    turn.start();
    while (!pending_.empty() && turn.elapsed() < turnBudgetMs) {
        Pending& head = pending_.front();
        // A document that went away takes no more text.
        if (!head.cursor.document() || head.done >= head.size()) {
            pending_.pop_front();
            continue;
        }
        insertSlice(head);
    }
    if (!pending_.empty()) {
        nextSlices_.start();
        return;
    }
    // What runs afterwards may queue new texts, with their own afterwards.
    const std::vector<std::function<void()>> afterwards = std::exchange(afterwards_, {});
    for (const auto& then : afterwards)
        then();
}

} // namespace tellwick
