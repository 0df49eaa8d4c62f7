#include "app/reading_highlight.h"

#include "app/input_box.h"

#include <QPalette>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace tellwick {

namespace {

constexpr double tint = 0.4;  // of the palette's highlight in the background
constexpr int linesAbove = 1; // shown above a sentence the box scrolls to, for context

} // namespace

ReadingHighlight::ReadingHighlight(InputBox* box) : QObject(box), box_(box) {
    // The document is still amid its edit when it reports it, and its cursors must not come or go
    // then (the highlight's is one of them): the highlight goes once the edit is done, unless a
    // sentence is shown again before that.
    connect(box, &InputBox::contentsChange, this, [this] {
        following_ = false;
        if (!shown_)
            return;
        shown_.reset();
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!shown_)
                    box_->setExtraSelections({});
            },
            Qt::QueuedConnection);
    });
}

QColor ReadingHighlight::colourFor(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor tinting = palette.color(QPalette::Active, QPalette::Highlight);
    const auto mix = [](int from, int to) {
        return static_cast<int>(from + (to - from) * tint + 0.5);
    };
    return QColor(mix(base.red(), tinting.red()), mix(base.green(), tinting.green()),
                  mix(base.blue(), tinting.blue()));
}

void ReadingHighlight::follow() {
    following_ = true;
}

void ReadingHighlight::stop() {
    following_ = false;
    if (!shown_)
        return;
    shown_.reset();
    box_->setExtraSelections({});
}

void ReadingHighlight::sentenceHeard(BoxRange range) {
    if (!following_)
        return;
    QTextEdit::ExtraSelection sentence;
    sentence.cursor = QTextCursor(box_->document());
    sentence.cursor.setPosition(static_cast<int>(range.start));
    sentence.cursor.setPosition(static_cast<int>(range.end), QTextCursor::KeepAnchor);
    sentence.format.setBackground(colourFor(box_->palette()));
    box_->setExtraSelections({sentence});
    shown_ = range;
    if (!startIsInView(range.start))
        scrollToLineOf(range.start);
}

bool ReadingHighlight::startIsInView(qsizetype position) const {
    // The box scrolls by whole lines, so its first line is whole; its last whole line is the one
    // a line's height above its bottom.
    const QWidget* view = box_->viewport();
    const int top = box_->cursorForPosition(QPoint(0, 0)).position();
    const int bottom =
        box_->cursorForPosition(
                QPoint(view->width() - 1, view->height() - box_->fontMetrics().lineSpacing()))
            .position();
    return position >= top && position <= bottom;
}

void ReadingHighlight::scrollToLineOf(qsizetype position) {
    // The box's scroll bar counts lines as laid out, wrapped lines each on its own.
    const QTextBlock block = box_->document()->findBlock(static_cast<int>(position));
    int line = block.firstLineNumber();
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0) {
        const QTextLine within =
            layout->lineForTextPosition(static_cast<int>(position) - block.position());
        if (within.isValid())
            line += within.lineNumber();
    }
    box_->verticalScrollBar()->setValue(std::max(0, line - linesAbove));
}

} // namespace tellwick
