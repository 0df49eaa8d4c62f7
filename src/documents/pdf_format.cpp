#include "documents/document_formats.h"

#include <poppler/qt6/poppler-qt6.h>

#include <QThread>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace tellwick {

namespace {

// A line of a page, as poppler's reading order gives it: columns one after the other, each from
// top to bottom.
struct PageLine {
    QString text;
    QRectF box;
};

// Fonts draw "fi", "fl" and the like as one glyph, which poppler gives as a ligature character
// that the voice cannot read: they become their letters again.
QString withoutLigatures(QString word) {
    for (const QChar c : word) {
        if (c >= u'\uFB00' && c <= u'\uFB06')
            return word.normalized(QString::NormalizationForm_KC);
    }
    return word;
}

std::vector<PageLine> linesOf(const Poppler::Page& page) {
    std::vector<PageLine> lines;
    const std::vector<std::unique_ptr<Poppler::TextBox>> words = page.textList();
    const Poppler::TextBox* previous = nullptr;
    for (const std::unique_ptr<Poppler::TextBox>& word : words) {
        // poppler links each word to the next on its line; any other word starts a line.
        if (previous == nullptr || previous->nextWord() != word.get()) {
            lines.push_back({withoutLigatures(word->text()), word->boundingBox()});
        } else {
            PageLine& line = lines.back();
            if (previous->hasSpaceAfter())
                line.text += u' ';
            line.text += withoutLigatures(word->text());
            line.box |= word->boundingBox();
        }
        previous = word.get();
    }
    return lines;
}

bool isLineEndHyphen(QChar c) {
    return c == u'-' || c == u'\u00AD' || c == u'\u2010';
}

// A line that ends in a hyphen after a letter, before a line that starts in lower case, ends with
// a word broken in two to fit: the hyphen goes and the halves are one word again.
bool continuesHyphenatedWord(const QString& line, const QString& next) {
    return line.size() >= 2 && isLineEndHyphen(line.back()) && line[line.size() - 2].isLetter() &&
           !next.isEmpty() && next.front().isLower();
}

// The next line goes on the same paragraph when it follows just below, about where a line of the
// same size would; a wider gap, or a jump up to a new column, starts another.
bool sameParagraph(const PageLine& line, const PageLine& next) {
    const qreal height = line.box.height();
    const qreal gap = next.box.top() - line.box.bottom();
    return next.box.top() > line.box.top() && gap < 0.5 * height &&
           next.box.left() < line.box.right() && next.box.right() > line.box.left() &&
           std::abs(next.box.height() - height) < 0.3 * height;
}

void appendPage(const std::vector<PageLine>& lines, QString* text) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i].text;
        if (i + 1 == lines.size() || !sameParagraph(lines[i], lines[i + 1])) {
            *text += line;
            *text += u'\n';
        } else if (continuesHyphenatedWord(line, lines[i + 1].text)) {
            *text += QStringView(line).chopped(1);
        } else {
            *text += line;
            *text += u' ';
        }
    }
}

// Enough pages that a thread of its own pays off.
constexpr int pagesPerThread = 16;
constexpr int mostThreads = 4;

struct PageRun {
    int first;
    int end;
    QString text;
};

// The text of a run of pages; stops early once stop is set. Each page done is counted in done,
// and afterPage (when given) is called.
void extract(const Poppler::Document& document, PageRun* run, std::atomic<int>& done,
             const std::atomic<bool>& stop, const std::function<void()>& afterPage = {}) {
    for (int index = run->first; index < run->end && !stop; ++index) {
        if (const std::unique_ptr<Poppler::Page> page = document.page(index))
            appendPage(linesOf(*page), &run->text);
        ++done;
        if (afterPage)
            afterPage();
    }
}

} // namespace

bool PdfFormat::recognises(QByteArrayView start) const {
    // Readers accept the header anywhere in the first kilobyte.
    return start.first(std::min<qsizetype>(start.size(), 1024)).indexOf("%PDF-") >= 0;
}

DocumentReading PdfFormat::read(const QByteArray& bytes, const ReadingMonitor& monitor) const {
    // poppler writes what it finds wrong in a file to standard error; the failure itself is
    // reported in one line instead.
    static const bool quiet =
        (Poppler::setDebugErrorFunction([](const QString&, const QVariant&) {}, QVariant()), true);
    Q_UNUSED(quiet);
    std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(bytes);
    if (!document)
        return readFailure(QStringLiteral("a damaged PDF that cannot be read"));
    if (document->isLocked())
        return readFailure(QStringLiteral("an encrypted PDF (it needs a password)"));
    const int pages = document->numPages();
    // Finding the words of a page takes poppler milliseconds: a long document is shared out in
    // runs of pages among threads, each with a document of its own, as one poppler document is
    // not to be used by two threads at once.
    const int threads =
        std::clamp(std::min(QThread::idealThreadCount(), pages / pagesPerThread), 1, mostThreads);
    std::vector<PageRun> runs(static_cast<std::size_t>(threads));
    for (int run = 0; run < threads; ++run)
        runs[std::size_t(run)] = {pages * run / threads, pages * (run + 1) / threads, {}};
    std::atomic<int> done = 0;
    std::atomic<bool> stop = false;
    std::vector<std::thread> helpers;
    for (std::size_t run = 1; run < runs.size(); ++run) {
        helpers.emplace_back([&bytes, &runs, &done, &stop, run] {
            if (const auto own = Poppler::Document::loadFromData(bytes))
                extract(*own, &runs[run], done, stop);
            else
                stop = true;
        });
    }
    const auto report = [&] {
        monitor.report(double(done) / pages);
        if (monitor.stopped())
            stop = true;
    };
    extract(*document, &runs.front(), done, stop, report);
    while (!helpers.empty() && !stop && done < pages) {
        report();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    for (std::thread& helper : helpers)
        helper.join();
    if (stop)
        return readCancelled();
    QString text;
    for (const PageRun& run : runs)
        text += run.text;
    if (text.trimmed().isEmpty())
        return readFailure(pages == 0 ? QStringLiteral("a PDF without pages")
                                      : QStringLiteral("a PDF without text (a scan, with the "
                                                       "pages as pictures only?)"));
    text.chop(1);
    return readText(std::move(text));
}

} // namespace tellwick
