#include "app/input_box.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>

namespace tellwick {

namespace {

bool pastesSelection(const QMouseEvent* event) {
    return event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection();
}

bool readsFromHere(const QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
           modifiers == Qt::ControlModifier;
}

} // namespace

void InputBox::pastePlainText(QClipboard::Mode mode) {
    if (isReadOnly())
        return;
    // The clipboard's text is read through its formats first, which is safe without an owner.
    const QString text = QGuiApplication::clipboard()->text(mode);
    if (!text.isEmpty())
        insertPlainText(text);
}

bool InputBox::canInsertFromMimeData(const QMimeData* source) const {
    return source && source->hasText();
}

void InputBox::insertFromMimeData(const QMimeData* source) {
    if (canInsertFromMimeData(source))
        insertPlainText(source->text());
}

void InputBox::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        pastePlainText(QClipboard::Clipboard);
        event->accept();
        return;
    }
    if (readsFromHere(event)) {
        emit readFromHereAsked(textCursor().position());
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void InputBox::mousePressEvent(QMouseEvent* event) {
    if (pastesSelection(event)) {
        event->accept();
        return;
    }
    QPlainTextEdit::mousePressEvent(event);
}

void InputBox::mouseReleaseEvent(QMouseEvent* event) {
    if (pastesSelection(event)) {
        setTextCursor(cursorForPosition(event->position().toPoint()));
        pastePlainText(QClipboard::Selection);
        event->accept();
        return;
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

QMenu* InputBox::createContextMenu(const QPoint& position) {
    QMenu* menu = createStandardContextMenu(position);
    if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        paste->disconnect();
        connect(paste, &QAction::triggered, this,
                [this] { pastePlainText(QClipboard::Clipboard); });
    }
    // A menu item is named, to a screen reader, by its text.
    auto* readFromHere = new QAction(tr("Read from &here"), menu);
    readFromHere->setObjectName(QStringLiteral("read-from-here"));
    readFromHere->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Return));
    readFromHere->setStatusTip(tr("Reads aloud from the start of this sentence to the end"));
    readFromHere->setEnabled(!document()->isEmpty());
    const int at = cursorForPosition(position).position();
    connect(readFromHere, &QAction::triggered, this, [this, at] { emit readFromHereAsked(at); });
    QAction* first = menu->actions().value(0);
    menu->insertAction(first, readFromHere);
    menu->insertSeparator(first);
    return menu;
}

void InputBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace tellwick
