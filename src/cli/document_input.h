#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tellwick {

// Whether a file starting with these bytes is a document to read through the documents library
// (PDF, EPUB, HTML, UTF-16), rather than plain text taken as UTF-8 as it stands.
bool isFormattedDocument(std::string_view start);

// The text of the document at path, whose bytes were read whole (see InputBytes), in UTF-16. A
// notice (a guessed encoding) goes to standard error once; a failure too, in one line after the
// command's name, with status set to 2.
std::optional<std::u16string> documentText(const char* command, std::string_view bytes,
                                           const std::string& path, int* status);

} // namespace tellwick
