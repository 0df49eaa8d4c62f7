#include "speech/homograph_readings.h"

#include "pronunciation/homograph_model.h"
#include "pronunciation/homograph_pronunciations.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <mutex>
#include <optional>

namespace tellwick {

namespace {

const char modelName[] = "homographs.model";

// Installed beside the help page; from a build tree, the source tree's copy.
std::vector<std::filesystem::path> modelCandidates() {
    if (const char* named = std::getenv("TELLWICK_HOMOGRAPH_MODEL"))
        return {named};
    std::vector<std::filesystem::path> candidates;
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        candidates.push_back(program.parent_path() / "../share/tellwick" / modelName);
    candidates.push_back(std::filesystem::path(TELLWICK_INSTALL_DATA_DIR) / modelName);
    candidates.push_back(std::filesystem::path(TELLWICK_SOURCE_DATA_DIR) / modelName);
    return candidates;
}

std::optional<homographs::Model> loadShipped() {
    const std::vector<std::filesystem::path> candidates = modelCandidates();
    std::filesystem::path chosen = candidates.back();
    for (const std::filesystem::path& candidate : candidates) {
        if (std::filesystem::is_regular_file(candidate)) {
            chosen = candidate;
            break;
        }
    }
    std::string error;
    std::optional<homographs::Model> model = homographs::Model::load(chosen.string(), &error);
    if (!model)
        std::fprintf(stderr,
                     "tellwick: the homograph model cannot be used (%s); espeak-ng reads every "
                     "homograph its own way\n",
                     error.c_str());
    return model;
}

std::once_flag loading;
std::shared_future<std::optional<homographs::Model>> shipped;

void startLoading(std::launch how) {
    std::call_once(loading, [how] { shipped = std::async(how, loadShipped).share(); });
}

} // namespace

const homographs::Model* shippedHomographModel() {
    // Asked for every word of a text: after the first answer, no waiting on the loading at all.
    static const homographs::Model* const model = [] {
        startLoading(std::launch::deferred);
        const std::optional<homographs::Model>& loaded = shipped.get();
        return loaded ? &*loaded : nullptr;
    }();
    return model;
}

void preloadHomographModel() {
    startLoading(std::launch::async);
}

std::optional<DecidedHomograph> decidedHomograph(QStringView text, qsizetype start, qsizetype end,
                                                 const HomographReadings& readings) {
    if (readings.byEngine)
        return std::nullopt;
    const homographs::Model* model =
        readings.model != nullptr ? readings.model : shippedHomographModel();
    if (model == nullptr)
        return std::nullopt;
    const std::u16string_view whole(reinterpret_cast<const char16_t*>(text.utf16()),
                                    std::size_t(text.size()));
    const bool possessive = end - start > 2 && text[end - 2] == u'\'' && text[end - 1] == u's';
    const std::optional<homographs::Model::Decision> decision =
        model->decide(whole, std::size_t(start), std::size_t(possessive ? end - 2 : end));
    if (!decision)
        return std::nullopt;
    const homographs::Pronunciation* pronunciation =
        homographs::pronunciationOf(decision->wordid());
    if (pronunciation == nullptr)
        return std::nullopt;
    return DecidedHomograph{pronunciation, possessive};
}

std::string homographPhonemes(QStringView text, qsizetype start, qsizetype end,
                              const HomographReadings& readings) {
    const std::optional<DecidedHomograph> decided = decidedHomograph(text, start, end, readings);
    if (!decided)
        return {};
    std::string phonemes(decided->reading->english);
    if (decided->possessive)
        phonemes +=
            std::string_view("ptkfT").find(phonemes.back()) == std::string_view::npos ? "z" : "s";
    return phonemes;
}

} // namespace tellwick
