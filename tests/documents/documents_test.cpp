#include "documents/document.h"
#include "documents/document_loader.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <zip.h>

#include <functional>
#include <utility>
#include <vector>

namespace tellwick {
namespace {

// QPdfWriter draws with the application's fonts.
QGuiApplication& application() {
    static int argc = 1;
    static char name[] = "tellwick_documents_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication instance(argc, argv);
    return instance;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A PDF of one page per entry, each line of text drawn at its place in points; an empty page list
// gives one page with only a rectangle, as a scan without a text layer.
struct DrawnLine {
    qreal x;
    qreal y;
    const char* text;
};
void writePdf(const QString& path, const std::vector<std::vector<DrawnLine>>& pages) {
    application();
    QPdfWriter writer(path);
    writer.setResolution(72);
    QPainter painter(&writer);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    for (std::size_t page = 0; page < pages.size(); ++page) {
        if (page > 0)
            writer.newPage();
        for (const DrawnLine& line : pages[page])
            painter.drawText(QPointF(line.x, line.y), QString::fromUtf8(line.text));
    }
    if (pages.empty())
        painter.fillRect(QRectF(50, 50, 300, 400), Qt::gray);
}

void writeZip(const QString& path, const std::vector<std::pair<const char*, QByteArray>>& members) {
    int error = 0;
    zip_t* archive =
        zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : members) {
        zip_source_t* source =
            zip_source_buffer(archive, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        ASSERT_GE(zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8), 0);
    }
    ASSERT_EQ(zip_close(archive), 0);
}

const QByteArray epubContainer =
    "<?xml version=\"1.0\"?><container version=\"1.0\" "
    "xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\"><rootfiles><rootfile "
    "full-path=\"OEBPS/content.opf\" media-type=\"application/oebps-package+xml\"/></rootfiles>"
    "</container>";
// The spine reads the chapters in the other order than their names and the manifest list them.
const QByteArray epubPackage =
    "<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\">"
    "<manifest><item id=\"a\" href=\"text/a%20chapter.xhtml\" "
    "media-type=\"application/xhtml+xml\"/><item id=\"b\" href=\"text/b.xhtml\" "
    "media-type=\"application/xhtml+xml\"/></manifest><spine><itemref idref=\"b\"/>"
    "<itemref idref=\"a\"/></spine></package>";
QByteArray chapter(const char* heading, const char* body) {
    return QByteArray("<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE html><html "
                      "xmlns=\"http://www.w3.org/1999/xhtml\"><head><title>Book</title>"
                      "<style>p { margin: 0 }</style></head><body><h1>") +
           heading + "</h1>\n<p>" + body + "</p></body></html>";
}

// Two columns of words, with a word broken at the end of a line.
constexpr const char* leftColumn[8] = {
    "Left one left", "two left three", "left four left", "five left six",
    "left seven",    "hyphen-",        "ated.",          ""};
constexpr const char* rightColumn[8] = {
    "Right one right", "two right three", "right four", "right five",
    "right six right", "seven right",     "eight.",     ""};

struct DocumentCase {
    const char* name;
    const char* fileName;
    std::function<void(const QString& path)> write;
    QString text;          // expected on success
    const char* errorPart; // expected in the error; null on success
    bool notice = false;   // a legacy encoding is reported
};

TEST(ReadDocument, FormatsByContentsAndTheirFaults) {
    const DocumentCase cases[] = {
        {"UTF-8 with a byte order mark", "a.txt",
         [](const QString& p) { writeBytes(p, "\xEF\xBB\xBFna\xC3\xAFve \xE2\x80\x94 ok\n"); },
         QString::fromUtf8("na\xC3\xAFve \xE2\x80\x94 ok\n"), nullptr},
        {"UTF-16 little-endian", "a.txt",
         [](const QString& p) { writeBytes(p, QByteArray("\xFF\xFEh\0i\0\xAC\x20", 8)); },
         QString::fromUtf8("hi\xE2\x82\xAC"), nullptr},
        {"UTF-16 big-endian", "a.txt",
         [](const QString& p) { writeBytes(p, QByteArray("\xFE\xFF\0h\xD8\x3D\xDE\x00", 8)); },
         QString::fromUtf8("h\xF0\x9F\x98\x80"), nullptr},
        {"Windows-1252 where not UTF-8", "old.txt",
         [](const QString& p) { writeBytes(p, "caf\xE9 \x93quoted\x94 \x80 5\x81"); },
         QString::fromUtf8("caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC 5\xC2\x81"),
         nullptr, true},
        {"HTML: what a browser shows", "page.txt",
         [](const QString& p) {
             writeBytes(p, "<!DOCTYPE html>\n<html><head><title>Tab</title><style>p{}</style>"
                           "<script>var s = '<p>x</p>';</script></head><body>\n<h1>Heading "
                           "</h1>\n<p>One &amp;   two&nbsp;three &#8211; &#x201C;four&#x201D;"
                           "</p><!-- hidden --><p>Line<br>next <b>bold</b>.</p>"
                           "<pre>a  b\nc</pre></body></html>");
         },
         QString::fromUtf8("Heading\nOne & two\xC2\xA0three \xE2\x80\x93 \xE2\x80\x9C"
                           "four\xE2\x80\x9D\nLine\nnext bold.\na  b\nc"),
         nullptr},
        {"PDF: columns one after the other, a hyphenated word joined", "columns.txt",
         [](const QString& p) {
             std::vector<DrawnLine> page;
             for (int line = 0; line < 8; ++line) {
                 page.push_back({50, 100.0 + 14 * line, leftColumn[line]});
                 page.push_back({310, 100.0 + 14 * line, rightColumn[line]});
             }
             page.push_back({50, 100 + 14 * 9, "A paragraph after a gap."});
             page.push_back({300, 780, "7"});
             writePdf(p, {page, {{50, 100, "Next page."}}});
         },
         // The paragraph below both columns comes after them.
         QStringLiteral("Left one left two left three left four left five left six left seven "
                        "hyphenated.\nRight one right two right three right four right five right "
                        "six right seven right eight.\nA paragraph after a gap.\n7\nNext page."),
         nullptr},
        {"EPUB: chapters in spine order", "book.epub",
         [](const QString& p) {
             writeZip(p, {{"mimetype", "application/epub+zip"},
                          {"META-INF/container.xml", epubContainer},
                          {"OEBPS/content.opf", epubPackage},
                          {"OEBPS/text/a chapter.xhtml", chapter("Two", "The end.")},
                          {"OEBPS/text/b.xhtml", chapter("One", "It began &amp; went on.")}});
         },
         QStringLiteral("One\nIt began & went on.\nTwo\nThe end."), nullptr},
        {"scanned PDF",
         "scan.pdf",
         [](const QString& p) { writePdf(p, {}); },
         {},
         "scan.pdf: a PDF without text"},
        {"damaged PDF",
         "bad.pdf",
         [](const QString& p) { writeBytes(p, "%PDF-1.7\nnot a pdf"); },
         {},
         "bad.pdf: a damaged PDF"},
        {"zip that is no EPUB",
         "book.epub",
         [](const QString& p) {
             writeZip(p, {{"readme.txt", "hello"}});
         },
         {},
         "book.epub: a zip archive, not an EPUB"},
        {"EPUB missing a chapter",
         "book.epub",
         [](const QString& p) {
             writeZip(p, {{"META-INF/container.xml", epubContainer},
                          {"OEBPS/content.opf", epubPackage},
                          {"OEBPS/text/b.xhtml", chapter("One", "x")}});
         },
         {},
         "OEBPS/text/a chapter.xhtml is missing"},
        {"damaged zip",
         "book.epub",
         [](const QString& p) { writeBytes(p, "PK\x03\x04garbage"); },
         {},
         "book.epub: a damaged zip archive"},
        {"picture named as text",
         "photo.txt",
         [](const QString& p) { writeBytes(p, QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)); },
         {},
         "photo.txt: binary data"},
        {"empty file",
         "empty.txt",
         [](const QString& p) { writeBytes(p, ""); },
         {},
         "empty.txt: an empty file"},
        {"blank lines only",
         "blank.txt",
         [](const QString& p) { writeBytes(p, " \n\n\t\n"); },
         {},
         "blank.txt: a text file of blank lines only"},
        {"missing file", "missing.txt", [](const QString&) {}, {}, "missing.txt: "},
    };
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        const QString path = folder.filePath(QString::fromUtf8(c.fileName));
        c.write(path);
        const DocumentReading reading = readDocument(path);
        if (c.errorPart == nullptr) {
            ASSERT_TRUE(reading.read()) << reading.error.toStdString();
            EXPECT_EQ(reading.text.toStdU16String(), c.text.toStdU16String());
            EXPECT_EQ(!reading.notice.isEmpty(), c.notice);
        } else {
            EXPECT_FALSE(reading.read());
            EXPECT_TRUE(reading.error.contains(QString::fromUtf8(c.errorPart)))
                << reading.error.toStdString();
            EXPECT_FALSE(reading.error.contains(u'\n'));
        }
    }
}

TEST(ReadDocument, ProgressAndCancelPerPage) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("pages.pdf"));
    writePdf(path, {{{50, 100, "One."}}, {{50, 100, "Two."}}, {{50, 100, "Three."}}, {}});
    std::vector<double> reports;
    ReadingMonitor monitor;
    monitor.progress = [&reports](double done) { reports.push_back(done); };
    monitor.cancelled = [&reports] { return reports.size() == 2; };
    EXPECT_EQ(readDocument(path, monitor).status, DocumentReading::Status::Cancelled);
    EXPECT_EQ(reports, (std::vector<double>{0.25, 0.5}));
}

TEST(DocumentLoader, ReadsOffTheCallersThread) {
    application();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("a.html"));
    writeBytes(path, "<html><p>Hello</p></html>");
    DocumentLoader loader;
    QSignalSpy finished(&loader, &DocumentLoader::finished);
    QSignalSpy progressed(&loader, &DocumentLoader::progressed);
    loader.start(path);
    ASSERT_TRUE(finished.wait(10000));
    const auto reading = finished.front().front().value<DocumentReading>();
    EXPECT_EQ(reading.text, QStringLiteral("Hello"));
    EXPECT_EQ(progressed.size(), 1);
    EXPECT_FALSE(loader.busy());
}

} // namespace
} // namespace tellwick
