#include "book_text.h"
#include "documents/document.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTextLayout>

#include <benchmark/benchmark.h>
#include <zip.h>

// How long a large document takes to open: text of 10 MB, a PDF of 500 pages, an EPUB of 1 MB,
// each written here first.
namespace {

QTemporaryDir& folder() {
    static QTemporaryDir instance;
    return instance;
}

QString textFile() {
    const QString path = folder().filePath(QStringLiteral("book.txt"));
    if (!QFile::exists(path)) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bookParagraphs(10'000'000).join(u'\n').toUtf8());
    }
    return path;
}

// Pages of two columns, as a journal's.
QString pdfFile() {
    const QString path = folder().filePath(QStringLiteral("book.pdf"));
    if (QFile::exists(path))
        return path;
    QPdfWriter writer(path);
    writer.setResolution(72);
    QPainter painter(&writer);
    const QFont font(QStringLiteral("DejaVu Sans"), 9);
    painter.setFont(font);
    const QString text = bookParagraphs(500 * 5'000).join(u' ');
    const QFontMetricsF metrics(font, &writer);
    const qreal columnWidth = 240;
    const qreal lineHeight = metrics.lineSpacing();
    qsizetype position = 0;
    for (int page = 0; page < 500; ++page) {
        if (page > 0)
            writer.newPage();
        for (const qreal left : {40.0, 310.0}) {
            for (qreal y = 60; y < 780; y += lineHeight) {
                qsizetype end = position;
                qsizetype fits = position;
                while (end < text.size() && metrics.horizontalAdvance(
                                                text.mid(position, end - position)) < columnWidth) {
                    fits = end;
                    end = text.indexOf(u' ', end + 1);
                    if (end < 0)
                        end = text.size();
                }
                painter.drawText(QPointF(left, y), text.mid(position, fits - position));
                position = fits + 1;
            }
        }
    }
    return path;
}

QString epubFile() {
    const QString path = folder().filePath(QStringLiteral("book.epub"));
    if (QFile::exists(path))
        return path;
    int error = 0;
    zip_t* archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE, &error);
    std::vector<QByteArray> members; // kept until the archive is written
    const auto add = [&](const QString& name, QByteArray bytes) {
        members.push_back(std::move(bytes));
        zip_file_add(archive, name.toUtf8().constData(),
                     zip_source_buffer(archive, members.back().constData(),
                                       zip_uint64_t(members.back().size()), 0),
                     ZIP_FL_ENC_UTF_8);
    };
    add(QStringLiteral("mimetype"), "application/epub+zip");
    add(QStringLiteral("META-INF/container.xml"),
        "<?xml version=\"1.0\"?><container><rootfiles><rootfile full-path=\"content.opf\"/>"
        "</rootfiles></container>");
    // About 3.5 MB of pages, which deflate to about 1 MB.
    const QStringList paragraphs = bookParagraphs(3'500'000);
    QByteArray manifest;
    QByteArray spine;
    const int chapters = 60;
    for (int chapter = 0; chapter < chapters; ++chapter) {
        QByteArray page = "<?xml version=\"1.0\"?><html><head><title>x</title></head><body><h1>"
                          "Chapter " +
                          QByteArray::number(chapter) + "</h1>";
        for (qsizetype p = chapter; p < paragraphs.size(); p += chapters)
            page += "<p>" + paragraphs[p].toUtf8() + "</p>\n";
        page += "</body></html>";
        const QByteArray name = "c" + QByteArray::number(chapter) + ".xhtml";
        add(QString::fromLatin1(name), page);
        manifest += "<item id=\"c" + QByteArray::number(chapter) + "\" href=\"" + name + "\"/>";
        spine += "<itemref idref=\"c" + QByteArray::number(chapter) + "\"/>";
    }
    add(QStringLiteral("content.opf"), "<?xml version=\"1.0\"?><package><manifest>" + manifest +
                                           "</manifest><spine>" + spine + "</spine></package>");
    zip_close(archive);
    return path;
}

void open(benchmark::State& state, const QString& path) {
    qsizetype characters = 0;
    for (auto _ : state) {
        const tellwick::DocumentReading reading = tellwick::readDocument(path);
        if (!reading.read())
            state.SkipWithError(reading.error.toUtf8().constData());
        characters = reading.text.size();
    }
    state.counters["file_MB"] = double(QFile(path).size()) / 1e6;
    state.counters["characters"] = double(characters);
}

void BM_OpenText10MB(benchmark::State& state) {
    open(state, textFile());
}
void BM_OpenPdf500Pages(benchmark::State& state) {
    open(state, pdfFile());
}
void BM_OpenEpub1MB(benchmark::State& state) {
    open(state, epubFile());
}

BENCHMARK(BM_OpenText10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenPdf500Pages)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenEpub1MB)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The PDF is drawn with the application's fonts.
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
