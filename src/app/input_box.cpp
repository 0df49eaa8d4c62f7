#include "app/input_box.h"

#include "app/memory.h"
#include "app/raw_text_mirror.h"
#include "app/sliced_insertion.h"
#include "app/top_level_handler.h"
#include "app/voice_choice.h"
#include "platform/plain_text_data.h"
#include "reader/box_text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QUrl>

#include <algorithm>
#include <iterator>

namespace tellwick {

namespace {

bool readsFromHere(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           modifiers == Qt::ControlModifier;
}

// The keys that move the caret: with the trainer on, they extend the selection.
constexpr Qt::Key caretKeys[] = {Qt::Key_Up,   Qt::Key_Down, Qt::Key_Left,   Qt::Key_Right,
                                 Qt::Key_Home, Qt::Key_End,  Qt::Key_PageUp, Qt::Key_PageDown};

// The first local file among the data's addresses; empty when there is none.
QString droppedFile(const QMimeData* source) {
    if (!source || !source->hasUrls())
        return {};
    for (const QUrl& url : source->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return {};
}

// Paragraph ends as other programs expect line ends.
QString withLineFeeds(QString selected) {
    for (QChar& c : selected)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return selected;
}

} // namespace

// The text selected in a box, taken only when another program asks for it. The cursor is a copy
// of the box's at the time of selecting: it keeps what was selected when the box's caret moves on,
// and follows the text around it as it changes. The text is cut from the box's raw text while
// the box lives, which is many times quicker than the document's own copy of a long selection.
class SelectionMimeData : public PlainTextData {
public:
    SelectionMimeData(QTextCursor selection, const RawTextMirror* rawText)
        : selection_(std::move(selection)), rawText_(rawText) {}

    // The selected text as the box holds it, paragraphs parted by U+2029, sharing the box's text.
    CompactText rawSelected() const {
        if (!rawText_)
            return CompactText(selection_.selectedText());
        const qsizetype start = selection_.selectionStart();
        return rawText_->text().section(start, selection_.selectionEnd() - start);
    }

protected:
    QVariant plainText(QMetaType) const override {
        if (!rawText_)
            return withLineFeeds(selection_.selectedText());
        const qsizetype start = selection_.selectionStart();
        return withLineFeeds(rawText_->text().mid(start, selection_.selectionEnd() - start));
    }

private:
    QTextCursor selection_;
    QPointer<const RawTextMirror> rawText_;
};

namespace {

bool movesCaret(const QKeyEvent* event) {
    return std::find(std::begin(caretKeys), std::end(caretKeys), event->key()) !=
           std::end(caretKeys);
}

} // namespace

InputBox::InputBox(Clipboard* clipboard, QWidget* parent)
    : QPlainTextEdit(parent), clipboard_(clipboard), rawText_(new RawTextMirror(document())),
      insertion_(new SlicedInsertion(this)) {
    connect(document(), &QTextDocument::contentsChange, this, &InputBox::contentsChange);
}

void InputBox::renewDocument() {
    const QFont font = document()->defaultFont();
    // The box redraws the places of its extra selections as they go: their cursors must not
    // outlive the document they stand in.
    setExtraSelections({});
    // A document the box made goes with it when another takes its place.
    setDocument(nullptr);
    document()->setDefaultFont(font);
    rawText_ = new RawTextMirror(document());
    connect(document(), &QTextDocument::contentsChange, this, &InputBox::contentsChange);
    emit contentsChange();
}

const CompactText& InputBox::rawText() const {
    return rawText_->text();
}

bool InputBox::comesInSlices(qsizetype length) {
    return length >= SlicedInsertion::sliceLength;
}

void InputBox::replaceText(QString plain, const QString& after) {
    insertion_->cancel();
    const bool freesMuch = comesInSlices(rawText().size());
    // A long text follows the box's changes into the mirror as it comes in a slice at a time.
    const bool inSlices = comesInSlices(plain.size());
    const QString atOnce = inSlices ? QString() : plain + after;
    if (freesMuch || document()->isUndoAvailable() || document()->isRedoAvailable())
        renewDocument();
    rawText_->replaceAll(rawTextOf(atOnce), [&] { setPlainText(atOnce); });
    if (inSlices) {
        insertion_->insert(QTextCursor(document()), std::move(plain), false);
        // Queued behind the text, its cursor moves on past it as it comes in.
        insertion_->insert(QTextCursor(document()), after, false);
    }
    // The memory of a book let go lies amid the heap, where the allocator would keep it for good.
    if (freesMuch)
        giveBackFreeMemory();
}

void InputBox::whenFilled(std::function<void()> then) {
    insertion_->whenDone(std::move(then));
}

bool InputBox::filling() const {
    return insertion_->busy();
}

void InputBox::insertAtCaret(QString text) {
    insertion_->insert(textCursor(), std::move(text), true);
}

QMimeData* InputBox::createMimeDataFromSelection() const {
    if (selectsForOthers_) {
        auto* selection = new SelectionMimeData(textCursor(), rawText_);
        ownSelection_ = selection;
        return selection;
    }
    // A copy, a cut or a drag may change the text at once: its text is taken now.
    auto* data = new QMimeData;
    data->setText(withLineFeeds(textCursor().selectedText()));
    return data;
}

template <typename Handling> void InputBox::selectingForOthers(Handling handling) {
    selectsForOthers_ = true;
    handling();
    selectsForOthers_ = false;
}

void InputBox::moveCaret(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode) {
    QTextCursor cursor = textCursor();
    cursor.movePosition(operation, mode);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void InputBox::startExtendingFromTop() {
    moveCaret(QTextCursor::Start, QTextCursor::MoveAnchor);
    extendsSelection_ = true;
}

void InputBox::stopExtending() {
    extendsSelection_ = false;
    moveCaret(QTextCursor::StartOfLine, QTextCursor::MoveAnchor);
}

void InputBox::turnPageBack(int lines) {
    extendPageDown();
    for (int line = 0; line < lines; ++line)
        moveCaret(QTextCursor::Up, QTextCursor::KeepAnchor);
}

void InputBox::extendPageDown() {
    // As the box's own Shift+Page Down does: the first line not wholly in view comes to the top,
    // and the caret goes down until it stands where it stood on the screen; when the text's end
    // is in view, the caret goes to the last line.
    ensureCursorVisible();
    QTextCursor cursor = textCursor();
    qreal caretTop = cursorRect(cursor).top();
    const QRectF visible = QRectF(viewport()->rect()).translated(contentOffset());
    QTextBlock block = firstVisibleBlock();
    QRectF bounds = blockBoundingRect(block);
    qreal above = 0;
    bool atEnd = false;
    while (above + bounds.height() <= visible.bottom()) {
        if (!block.next().isValid()) {
            atEnd = true;
            caretTop = viewport()->height();
            break;
        }
        above += bounds.height();
        block = block.next();
        bounds = blockBoundingRect(block);
    }
    if (!atEnd) {
        int line = 0;
        const QTextLayout* layout = block.layout();
        while (line < layout->lineCount() - 1 &&
               layout->lineAt(line).naturalTextRect().bottom() <= visible.bottom() - above)
            ++line;
        verticalScrollBar()->setValue(block.firstLineNumber() + line);
    }
    while (cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor) &&
           cursorRect(cursor).top() < caretTop) {
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

// The holder of the text may hang: the box goes on meanwhile and inserts the text when it comes.
void InputBox::pastePlainText(ClipboardSource source, std::optional<QPoint> at) {
    if (isReadOnly() || !clipboard_)
        return;
    if (source == ClipboardSource::Selection && pasteOwnSelection(at))
        return;
    clipboard_->requestText(source, this, [this, at](const ClipboardRead& read) {
        if (!read.failure.isEmpty())
            reportUncaught(window(), read.failure);
        if (isReadOnly() || !read.text || read.text->isEmpty())
            return;
        if (at)
            setTextCursor(cursorForPosition(*at));
        insertAtCaret(*read.text);
    });
}

bool InputBox::pasteOwnSelection(std::optional<QPoint> at) {
    const auto* own = static_cast<const SelectionMimeData*>(ownSelection_.data());
    if (!own)
        return false;
    CompactText text = own->rawSelected();
    if (text.isEmpty())
        return true;
    if (at)
        setTextCursor(cursorForPosition(*at));
    insertion_->insert(textCursor(), std::move(text), true);
    return true;
}

bool InputBox::canInsertFromMimeData(const QMimeData* source) const {
    return source && (source->hasText() || !droppedFile(source).isEmpty());
}

// A file manager's drop also carries the file's address as text: the file wins.
void InputBox::insertFromMimeData(const QMimeData* source) {
    if (const QString file = droppedFile(source); !file.isEmpty())
        emit documentDropped(file);
    else if (canInsertFromMimeData(source))
        insertAtCaret(source->text());
}

void InputBox::keyPressEvent(QKeyEvent* event) {
    if (extendsSelection_ && movesCaret(event))
        event->setModifiers(event->modifiers() | Qt::ShiftModifier);
    if (event->matches(QKeySequence::Paste)) {
        pastePlainText(ClipboardSource::Clipboard);
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Open) || event->matches(QKeySequence::Save)) {
        emit event->matches(QKeySequence::Open) ? openAsked() : saveSpeechAsked();
        event->accept();
        return;
    }
    if (readsFromHere(event)) {
        emit readFromHereAsked(textCursor().position());
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cut) || event->matches(QKeySequence::Copy))
        QPlainTextEdit::keyPressEvent(event);
    else
        selectingForOthers([&] { QPlainTextEdit::keyPressEvent(event); });
}

// A middle click pastes the primary selection where the session has one; elsewhere it does
// nothing.
void InputBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
}

void InputBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        pastePlainText(ClipboardSource::Selection, event->position().toPoint());
        event->accept();
        return;
    }
    selectingForOthers([&] { QPlainTextEdit::mouseReleaseEvent(event); });
}

QMenu* InputBox::createContextMenu(const QPoint& position) {
    QMenu* menu = createStandardContextMenu(position);
    if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        paste->disconnect();
        connect(paste, &QAction::triggered, this,
                [this] { pastePlainText(ClipboardSource::Clipboard); });
    }
    // A menu item is named, to a screen reader, by its text.
    auto* readFromHere = new QAction(tr("Read from &here"), menu);
    readFromHere->setObjectName(QStringLiteral("read-from-here"));
    readFromHere->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    readFromHere->setStatusTip(tr("Reads aloud from the start of this sentence to the end"));
    readFromHere->setEnabled(!document()->isEmpty());
    const int at = cursorForPosition(position).position();
    connect(readFromHere, &QAction::triggered, this, [this, at] { emit readFromHereAsked(at); });
    auto* open = new QAction(tr("&Open…"), menu);
    open->setObjectName(QStringLiteral("open-document"));
    open->setShortcut(QKeySequence::Open);
    open->setStatusTip(tr("Puts the text of a document into the box"));
    connect(open, &QAction::triggered, this, &InputBox::openAsked);
    auto* saveSpeech = new QAction(tr("&Save speech as…"), menu);
    saveSpeech->setObjectName(QStringLiteral("save-speech"));
    saveSpeech->setShortcut(QKeySequence::Save);
    saveSpeech->setStatusTip(tr("Writes what Read would say to an audio file"));
    connect(saveSpeech, &QAction::triggered, this, &InputBox::saveSpeechAsked);
    QAction* first = menu->actions().value(0);
    menu->insertAction(first, readFromHere);
    menu->insertAction(first, open);
    menu->insertAction(first, saveSpeech);
    if (voiceChoice_)
        menu->insertMenu(first, voiceChoice_->makeMenu(menu));
    menu->insertSeparator(first);
    return menu;
}

void InputBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace tellwick
