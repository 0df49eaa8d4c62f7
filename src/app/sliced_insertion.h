#pragma once

#include "reader/compact_text.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTextCursor>
#include <QTimer>

#include <deque>
#include <functional>
#include <vector>

namespace tellwick {

// Puts long texts into a document a slice at a time, from the event loop. A text document takes
// about a tenth of a second per megabyte to take in a text of many lines, all of it on the
// user-interface thread; in slices, the window goes on answering, painting and taking keys while
// a book comes in. Each text goes in where its cursor stands (its selection replaced), after the
// texts queued before it; other cursors on the document move on past it as they would for one
// insertion.
class SlicedInsertion : public QObject {
    Q_OBJECT

public:
    explicit SlicedInsertion(QObject* parent = nullptr);

    // Texts shorter than this go in at once; a slice is about this long.
    static constexpr qsizetype sliceLength = 64 * 1024;

    // Inserts text at cursor. An undoable text is one step of the document's undo, as a paste is;
    // one that is not leaves the document with nothing to undo, as a text set anew does.
    void insert(QTextCursor cursor, QString text, bool undoable);
    // The same for a text kept compact, which waits as it is.
    void insert(QTextCursor cursor, CompactText text, bool undoable);
    // Drops every text still to come in, and what was to run after them.
    void cancel();
    bool busy() const { return !pending_.empty(); }
    // Runs then once every text queued has come in: at once when nothing is queued.
    void whenDone(std::function<void()> then);

private:
    // A text on its way in waits as UTF-8, half its size for most text, unless it holds what UTF-8
    // cannot (a lone surrogate): then as it came. A compact text waits as it is.
    struct Pending {
        QTextCursor cursor;
        QByteArray utf8;
        QString text;
        CompactText compact;
        qsizetype done = 0;
        bool undoable = false;
        qsizetype size() const {
            return !utf8.isEmpty() ? utf8.size() : !text.isEmpty() ? text.size() : compact.size();
        }
    };
    // Inserts text at once where nothing waits before it and it is short; false otherwise.
    static bool insertedAtOnce(QTextCursor& cursor, const QString& text, bool undoable);
    void enqueue(Pending pending);
    void insertSlices();
    static void insertSlice(Pending& pending);

    std::deque<Pending> pending_;
    std::vector<std::function<void()>> afterwards_;
    QTimer nextSlices_;
};

} // namespace tellwick
