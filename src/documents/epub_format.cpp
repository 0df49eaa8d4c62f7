#include "documents/document_formats.h"
#include "documents/html_text.h"
#include "documents/text_decoding.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <QUrl>
#include <QXmlStreamReader>

#include <zip.h>

#include <memory>
#include <optional>

namespace tellwick {

namespace {

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ZipCloser>;

// The archive over bytes that outlive it, or null when they are no zip archive.
Archive openArchive(const QByteArray& bytes) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source =
        zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    if (source == nullptr)
        return nullptr;
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    if (archive == nullptr)
        zip_source_free(source);
    zip_error_fini(&error);
    return Archive(archive);
}

enum class EntryProblem { None, Missing, Encrypted, Damaged };

// A member's bytes; fails for a missing, encrypted or damaged member.
std::optional<QByteArray> entry(zip_t* archive, const QString& name, EntryProblem* problem) {
    const QByteArray path = name.toUtf8();
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(archive, path.constData(), 0, &stat) != 0) {
        *problem = EntryProblem::Missing;
        return std::nullopt;
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        *problem = EntryProblem::Encrypted;
        return std::nullopt;
    }
    zip_file_t* file = zip_fopen_index(archive, stat.index, 0);
    if (file == nullptr || !(stat.valid & ZIP_STAT_SIZE) || stat.size > (zip_uint64_t(1) << 30)) {
        if (file != nullptr)
            zip_fclose(file);
        *problem = EntryProblem::Damaged;
        return std::nullopt;
    }
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
    zip_fclose(file);
    if (read != zip_int64_t(stat.size)) {
        *problem = EntryProblem::Damaged;
        return std::nullopt;
    }
    return bytes;
}

// The value of attribute on the first element named element, or empty.
QString firstAttribute(const QByteArray& xml, QStringView element, QLatin1StringView attribute) {
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == element)
            return reader.attributes().value(attribute).toString();
    }
    return {};
}

// The package's chapters, in the order its spine gives, as paths within the archive.
struct Package {
    QStringList chapters;
    bool readable = false;
};

Package readPackage(const QByteArray& xml, const QString& packagePath) {
    QHash<QString, QString> hrefs;
    QStringList spine;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == u"item")
            hrefs.insert(attributes.value(QLatin1StringView("id")).toString(),
                         attributes.value(QLatin1StringView("href")).toString());
        else if (reader.name() == u"itemref")
            spine.append(attributes.value(QLatin1StringView("idref")).toString());
    }
    Package package;
    package.readable = !reader.hasError();
    const QString folder = QFileInfo(packagePath).path();
    for (const QString& id : spine) {
        const QString href = hrefs.value(id);
        if (href.isEmpty())
            continue;
        // Hrefs are URLs relative to the package file.
        const QString path = QUrl::fromPercentEncoding(href.section(u'#', 0, 0).toUtf8());
        package.chapters.append(QDir::cleanPath(folder == u"." ? path : folder + u'/' + path));
    }
    return package;
}

// The members that META-INF/encryption.xml says are encrypted (fonts are often obfuscated this
// way; the text only under DRM).
QSet<QString> encryptedMembers(zip_t* archive) {
    QSet<QString> members;
    EntryProblem problem = EntryProblem::None;
    const std::optional<QByteArray> xml =
        entry(archive, QStringLiteral("META-INF/encryption.xml"), &problem);
    if (!xml)
        return members;
    QXmlStreamReader reader(*xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == u"CipherReference")
            members.insert(QDir::cleanPath(QUrl::fromPercentEncoding(
                reader.attributes().value(QLatin1StringView("URI")).toUtf8())));
    }
    return members;
}

DocumentReading entryFailure(EntryProblem problem, const QString& name) {
    if (problem == EntryProblem::Encrypted)
        return readFailure(QStringLiteral("an encrypted EPUB (protected by DRM)"));
    if (problem == EntryProblem::Missing)
        return readFailure(QStringLiteral("a damaged EPUB: %1 is missing").arg(name));
    return readFailure(QStringLiteral("a damaged EPUB: %1 cannot be unpacked").arg(name));
}

} // namespace

bool EpubFormat::recognises(QByteArrayView start) const {
    // Any zip archive: read() says so when it is not an EPUB.
    return start.startsWith("PK\x03\x04");
}

DocumentReading EpubFormat::read(const QByteArray& bytes, const ReadingMonitor& monitor) const {
    const Archive archive = openArchive(bytes);
    if (!archive)
        return readFailure(QStringLiteral("a damaged zip archive"));
    EntryProblem problem = EntryProblem::None;
    const QString containerPath = QStringLiteral("META-INF/container.xml");
    const std::optional<QByteArray> container = entry(archive.get(), containerPath, &problem);
    if (!container) {
        if (problem == EntryProblem::Missing)
            return readFailure(QStringLiteral("a zip archive, not an EPUB"));
        return entryFailure(problem, containerPath);
    }
    const QString packagePath =
        firstAttribute(*container, u"rootfile", QLatin1StringView("full-path"));
    if (packagePath.isEmpty())
        return readFailure(QStringLiteral("a damaged EPUB: its container names no package"));
    const std::optional<QByteArray> packageXml = entry(archive.get(), packagePath, &problem);
    if (!packageXml)
        return entryFailure(problem, packagePath);
    const Package package = readPackage(*packageXml, packagePath);
    if (!package.readable || package.chapters.isEmpty())
        return readFailure(QStringLiteral("a damaged EPUB: its package lists no chapters"));
    const QSet<QString> encrypted = encryptedMembers(archive.get());
    QString text;
    for (qsizetype index = 0; index < package.chapters.size(); ++index) {
        if (monitor.stopped())
            return readCancelled();
        const QString& chapter = package.chapters[index];
        if (encrypted.contains(chapter))
            return entryFailure(EntryProblem::Encrypted, chapter);
        const std::optional<QByteArray> xhtml = entry(archive.get(), chapter, &problem);
        if (!xhtml)
            return entryFailure(problem, chapter);
        const QString chapterText = htmlToText(decodeText(*xhtml).text);
        if (!chapterText.isEmpty()) {
            if (!text.isEmpty())
                text += u'\n';
            text += chapterText;
        }
        monitor.report(double(index + 1) / double(package.chapters.size()));
    }
    if (text.trimmed().isEmpty())
        return readFailure(QStringLiteral("an EPUB without text"));
    return readText(std::move(text));
}

} // namespace tellwick
