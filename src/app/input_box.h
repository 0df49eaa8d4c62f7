#pragma once

#include "platform/clipboard.h"
#include "reader/compact_text.h"

#include <functional>

#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

#include <optional>

class QMenu;

namespace tellwick {

class VoiceChoice;
class RawTextMirror;
class SlicedInsertion;

// The window's text box. Its paste gestures (Ctrl+V, Shift+Insert, a middle click, the context
// menu's Paste) insert the clipboard's or the primary selection's plain text, read through the
// clipboard given (none: they insert nothing). Qt's own paste hands the owner's data to the text
// control, which crashes (Qt 6.4) when no program owns the clipboard or the selection, as is
// normal once the program that copied has closed.
class InputBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit InputBox(Clipboard* clipboard, QWidget* parent = nullptr);

    // The box's context menu, its Paste going through the box's own paste, with Read from here
    // first: it reads from the sentence at position (in the viewport); then Open…, Save speech
    // as… and, with a choice of voice given, the Voice submenu.
    QMenu* createContextMenu(const QPoint& position);
    void setVoiceChoice(VoiceChoice* choice) { voiceChoice_ = choice; }

    // The speed-reading trainer's moves. The trainer starts at the top of the text, and from then
    // on every key that moves the caret extends the selection, as if Shift were held, so that the
    // lines read stay highlighted.
    void startExtendingFromTop();
    // A screenful read: the view moves on by a page, the caret with it, and the caret comes back
    // by lines, so that the end of the selection stands at the top of the new screenful.
    void turnPageBack(int lines);
    // The caret keys move again; the selection is dropped, the caret at the start of its line.
    void stopExtending();

    // The box's text as it stands, paragraphs parted by U+2029, at no cost.
    const CompactText& rawText() const;
    // Puts plain, a text with line feeds between its lines, and after it the short text after, in
    // place of the box's text, and drops any text still to come in. A long text comes in a slice
    // at a time from the event loop, so that the window goes on answering meanwhile: the box
    // starts empty and fills. The two are not joined first: a book is not copied for that.
    void replaceText(QString plain, const QString& after = {});
    // Runs then once every text on its way into the box is in: at once when none is. A text set
    // anew drops what was to run.
    void whenFilled(std::function<void()> then);
    bool filling() const;
    // Whether a text of this length is long enough to come into the box a slice at a time.
    static bool comesInSlices(qsizetype length);

signals:
    // The box's text changed, by any edit or by a text set anew.
    void contentsChange();
    // Read from here, from the menu or from Ctrl+Enter (at the caret): a reading from the sentence
    // that position, a place in the box's text, lies in.
    void readFromHereAsked(int position);
    // Open… from the menu or Ctrl+O: the user wants to choose a document.
    void openAsked();
    // A file dropped on the box, to be opened as a document.
    void documentDropped(const QString& path);
    // Save speech as… from the menu or Ctrl+S.
    void saveSpeechAsked();

protected:
    // Drops, and any other way that hands the box data, take its plain text, asked for only when
    // the data says it has some; a dropped file is opened instead.
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    // What is selected is given to other programs (the primary selection, a copy, a drag) as plain
    // text. The primary selection, which changes with every key that extends a selection, reads
    // the box only when a program asks for it: a selection of a whole book (the trainer's) would
    // otherwise be copied at each step.
    QMimeData* createMimeDataFromSelection() const override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Inserts the source's text at the caret, or first moves the caret to at (in the viewport).
    void pastePlainText(ClipboardSource source, std::optional<QPoint> at = std::nullopt);
    // Gives the box a new, empty document. A document keeps the room its undo took (a command for
    // each line of a book pasted) for as long as it lives, even once the undo is emptied.
    void renewDocument();
    // Inserts text at the caret, replacing the selection, as one step to undo.
    void insertAtCaret(QString text);
    // Runs a base handling in which a selection the user makes becomes the primary selection.
    template <typename Handling> void selectingForOthers(Handling handling);
    void moveCaret(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode);
    void extendPageDown();

    // Pastes the box's own selection, where the box holds the primary selection, straight from the
    // box's text: a book selected whole is not copied to be pasted. False when the box does not
    // hold the selection.
    bool pasteOwnSelection(std::optional<QPoint> at);

    Clipboard* clipboard_;
    VoiceChoice* voiceChoice_ = nullptr;
    RawTextMirror* rawText_;
    SlicedInsertion* insertion_;
    // What the box last gave as the primary selection; gone once another selection takes its place.
    mutable QPointer<QMimeData> ownSelection_;
    bool extendsSelection_ = false;
    bool selectsForOthers_ = false;
};

} // namespace tellwick
