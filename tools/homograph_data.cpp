#include "homograph_data.h"

#include "pronunciation/homograph_features.h"
#include "pronunciation/normaliser.h"
#include "rewriter/respell.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace tellwick::homographs {

namespace {

// A line of the data's TSV: fields in double quotes, "" within one is a quote.
std::vector<std::string> fieldsOf(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                fields.back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == '\t') {
            fields.emplace_back();
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<std::vector<std::string>> rowsOf(const std::string& path) {
    std::ifstream file(path);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    bool header = true;
    while (std::getline(file, line)) {
        if (!header && !line.empty())
            rows.push_back(fieldsOf(line));
        header = false;
    }
    if (!file.eof())
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return rows;
}

// UTF-8 to UTF-16, and the UTF-16 index of each byte offset.
std::u16string utf16Of(const std::string& text, std::vector<std::size_t>* indexOfByte) {
    std::u16string out;
    indexOfByte->assign(text.size() + 1, 0);
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        for (std::size_t k = 0; k < length && i + k <= text.size(); ++k)
            (*indexOfByte)[i + k] = out.size();
        if (c >= 0x10000) {
            out += char16_t(0xD800 + ((c - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += char16_t(c);
        }
        i += length;
    }
    indexOfByte->back() = out.size();
    return out;
}

// Finds the homograph that starts at `sourceStart` of the sentence in the rewritten text: the
// word there that the rewriter copied from that place, spelt as the homograph.
bool placeInSpoken(const MappedRespelling& spoken, std::size_t sourceStart,
                   const std::string& homograph, Example* example) {
    const std::u16string& text = spoken.text;
    for (std::size_t at = 0; at < text.size();) {
        if (!isHomographWordUnit(text[at])) {
            ++at;
            continue;
        }
        const std::size_t end = homographWordEnd(text, at);
        if (spoken.map.sourceOf(at) == sourceStart &&
            foldedWord(text.substr(at, end - at)) ==
                std::u16string(homograph.begin(), homograph.end())) {
            example->start = at;
            example->end = end;
            return true;
        }
        at = end;
    }
    return false;
}

} // namespace

std::vector<ListedReading> readReadings(const std::string& path) {
    // Slips in the data's IPA, as its README lists them.
    constexpr std::pair<std::string_view, std::string_view> mendedIpa[] = {
        {"abuses_vrb", "ə'bjuːzəz"},
        {"approximate_vrb", "ə'pɹɑːksəˌmeɪt"},
        {"moderate_vrb", "'mɑːdɚˌeɪt"},
    };
    std::vector<ListedReading> readings;
    for (const std::vector<std::string>& row : rowsOf(path)) {
        if (row.size() < 4)
            continue;
        readings.push_back({row[0], row[1], row[3], row[2]});
        for (const auto& [wordid, ipa] : mendedIpa) {
            if (row[1] == wordid)
                readings.back().ipa = ipa;
        }
    }
    return readings;
}

std::vector<ListedHomograph> homographsOf(const std::vector<ListedReading>& readings) {
    std::vector<ListedHomograph> homographs;
    for (const ListedReading& reading : readings) {
        if (homographs.empty() || homographs.back().word != reading.homograph)
            homographs.push_back({reading.homograph, {}});
        homographs.back().wordids.push_back(reading.wordid);
    }
    return homographs;
}

std::vector<LabelledSentence> readSentences(const std::string& folder, int perHomograph) {
    std::vector<std::string> paths;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".tsv")
            paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    std::vector<LabelledSentence> sentences;
    for (const std::string& path : paths) {
        int index = 0;
        for (const std::vector<std::string>& row : rowsOf(path)) {
            if (row.size() < 5 || (perHomograph > 0 && index >= perHomograph))
                continue;
            LabelledSentence sentence;
            sentence.homograph = row[0];
            sentence.sentence = row[2];
            sentence.fold = index++ % 10;
            sentence.spoken.wordid = row[1];
            std::vector<std::size_t> indexOfByte;
            const std::u16string text = utf16Of(row[2], &indexOfByte);
            const std::size_t start = std::min(std::stoul(row[3]), row[2].size());
            MappedRespelling spoken = speakableText(text);
            sentence.found = placeInSpoken(spoken, indexOfByte[start], row[0], &sentence.spoken);
            sentence.spoken.text = std::move(spoken.text);
            sentences.push_back(std::move(sentence));
        }
    }
    return sentences;
}

bool readData(const std::string& data, int perHomograph, std::vector<ListedReading>* readings,
              std::vector<LabelledSentence>* sentences, const char* program) {
    *readings = readReadings(data + "/wordids.tsv");
    *sentences = readSentences(data + "/train", perHomograph);
    if (!readings->empty() && !sentences->empty())
        return true;
    std::fprintf(stderr, "%s: no data in %s\n", program, data.c_str());
    return false;
}

void printFoldSpread(const FoldTallies& folds) {
    double lowest = 100.0, highest = 0.0, sum = 0.0, squares = 0.0;
    int measured = 0;
    std::printf("folds         ");
    for (const auto& [right, seen] : folds) {
        if (seen == 0) {
            std::printf("     -");
            continue;
        }
        ++measured;
        const double percent = 100.0 * right / seen;
        std::printf(" %5.2f", percent);
        lowest = std::min(lowest, percent);
        highest = std::max(highest, percent);
        sum += percent;
        squares += percent * percent;
    }
    const double mean = sum / std::max(1, measured);
    std::printf("\nfold spread    %5.2f to %5.2f %%, standard deviation %4.2f\n", lowest, highest,
                std::sqrt(std::max(0.0, squares / std::max(1, measured) - mean * mean)));
}

} // namespace tellwick::homographs
