// Documents opened in the window: the box takes their text as Paste takes the clipboard's, or
// keeps its own when the document cannot be read.
#include "app/input_box.h"
#include "app/window_commands.h"

#include "window_fixture.h"

#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <atomic>
#include <functional>
#include <thread>

namespace tellwick {
namespace {

class WindowDocuments : public WindowFixture {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    void waitForOpening() {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->openingDocument(); }, 10000));
    }
    // The box as Paste leaves it for text.
    QString pasted(const QString& text) {
        clipboard->setText(text);
        click("cmdPaste");
        return window->inputText();
    }

    QTemporaryDir folder;
};

TEST_F(WindowDocuments, BoxTakesTheTextOrKeepsItsOwn) {
    const struct {
        const char* name;
        const char* file;
        QByteArray bytes;
        QString text;      // in the box as pasted; empty when the document fails
        const char* cause; // in the one-line message when it fails
        // Made again and again while the document is opened; none for most rows.
        void (*change)(QFile&) = nullptr;
    } rows[] = {
        {"utf-8 text", "notes.txt", "Caf\xc3\xa9 au lait.\nSecond line.",
         QStringLiteral("Café au lait.\nSecond line."), ""},
        {"html without script", "page.html",
         "<html><head><style>p{}</style><script>var x;</script></head>"
         "<body><h1>Title</h1><p>First paragraph.</p></body></html>",
         QStringLiteral("Title\nFirst paragraph."), ""},
        {"corrupt pdf", "broken.pdf", "%PDF-1.4\n1 0 obj << /Type /Catalog garbage", QString(),
         "broken.pdf"},
        {"empty file", "empty.txt", "", QString(), "empty.txt"},
        // Big enough that the reading takes a while, and each change grows the file.
        {"growing while read", "big.txt", QByteArray("Dr. Smith.\n").repeated(2000000), QString(),
         "big.txt: changed while it was read",
         [](QFile& file) {
             file.seek(file.size());
             file.write("Dr. Who.\n");
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startOver();
        const QString expected = row.text.isEmpty() ? QString() : pasted(row.text);
        window->setInputText(QStringLiteral("Kept."));
        const QString path = write(QString::fromLatin1(row.file), row.bytes);
        QFile changed(path);
        std::atomic<bool> stop = false;
        std::thread changer;
        if (row.change != nullptr) {
            ASSERT_TRUE(changed.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
            changer = std::thread([&] {
                while (!stop)
                    row.change(changed);
            });
        }
        window->openDocument(path);
        waitForOpening();
        stop = true;
        if (changer.joinable())
            changer.join();
        if (row.text.isEmpty()) {
            EXPECT_EQ(window->inputText(), QStringLiteral("Kept."));
            ASSERT_EQ(reported.size(), 1);
            EXPECT_TRUE(reported[0].contains(QLatin1String(row.cause)))
                << reported[0].toStdString();
            EXPECT_FALSE(reported[0].contains(QLatin1Char('\n')));
        } else {
            EXPECT_EQ(window->inputText(), expected);
            EXPECT_EQ(reported, QStringList());
        }
    }
}

// What a drop hands the box, without a drag under way (which a test cannot start).
struct DropTarget : InputBox {
    static constexpr auto drop = &DropTarget::insertFromMimeData;
};

// The ways in besides Open…: the program started with a document while a window runs, and a file
// dropped on the box (a file manager's drop carries the address as text too).
TEST_F(WindowDocuments, CommandAndDropOpenTheDocument) {
    const struct {
        const char* name;
        std::function<void(MainWindow& window, InputBox* box, const QString& path)> open;
    } rows[] = {
        {"open command",
         [](MainWindow& window, InputBox*, const QString& path) {
             EXPECT_EQ(answerTo(window, QStringLiteral("open ") + path), QStringLiteral("ok"));
         }},
        {"dropped file",
         [](MainWindow&, InputBox* box, const QString& path) {
             QMimeData data;
             data.setUrls({QUrl::fromLocalFile(path)});
             data.setText(path);
             (box->*DropTarget::drop)(&data);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        startOver();
        const QString expected = pasted(QStringLiteral("From the file."));
        window->setInputText(QString());
        row.open(*window, control<InputBox>("txtInput"),
                 write(QStringLiteral("a.txt"), "From the file."));
        waitForOpening();
        EXPECT_EQ(window->inputText(), expected);
    }
}

} // namespace
} // namespace tellwick
