#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tellwick {

// Whether a file starting with these bytes is a document to read through the documents library
// (PDF, EPUB, HTML, UTF-16), rather than plain text taken as UTF-8 as it stands.
bool isFormattedDocument(std::string_view start);

// The text of the document at path, in UTF-16. A notice (a guessed encoding) goes to standard
// error once; a failure too, in one line after the command's name, with status set: 2 for a
// document that cannot be read, 1 for a file that cannot be opened.
std::optional<std::u16string> readDocumentText(const char* command, const std::string& path,
                                               int* status);

} // namespace tellwick
