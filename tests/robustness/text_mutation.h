// The seeded edits the robustness tests make of a valid text: pieces of the language and other
// bytes put in, a few bytes taken out, one byte changed, the tail doubled, two bytes swapped.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace torveld::robustness {

inline std::size_t pickBelow(std::mt19937& rng, std::size_t n) {
    return static_cast<std::size_t>(rng() % n);
}

// One to four edits of `text`.
inline std::string mutatedText(std::string text, std::span<const std::string_view> pieces,
                               std::mt19937& rng) {
    const auto pick = [&](std::size_t n) { return pickBelow(rng, n); };
    const int edits = 1 + static_cast<int>(pick(4));
    for (int i = 0; i < edits; ++i) {
        const std::size_t at = text.empty() ? 0 : pick(text.size() + 1);
        switch (pick(5)) {
            case 0:
                text.insert(at, pieces[pick(pieces.size())]);
                break;
            case 1:
                if (at < text.size()) text.erase(at, 1 + pick(3));
                break;
            case 2:
                if (at < text.size()) text[at] = static_cast<char>(pick(256));
                break;
            case 3:
                text += text.substr(at);
                break;
            default:
                if (at + 1 < text.size()) std::swap(text[at], text[at + 1]);
                break;
        }
    }
    return text;
}

// Every file of a seed corpus, its name and its bytes.
inline std::vector<std::pair<std::string, std::string>> corpusInputs(const char* folder) {
    std::vector<std::pair<std::string, std::string>> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream file(entry.path(), std::ios::binary);
        inputs.emplace_back(entry.path().filename().string(),
                            std::string{std::istreambuf_iterator<char>(file), {}});
    }
    return inputs;
}

}  // namespace torveld::robustness
