#pragma once
// A name's analysis as the main window shows it, read off its controls, and the way to get one:
// a fresh window, the options set, the name pasted into the name box.
#include <optional>
#include <string>

#include "names/main_form.h"

namespace muwu {

struct AnalysisOptions {
    bool company = false;
    std::optional<int> surnameLength;  // set after the name, as a user would move the scroll bar
    bool autoRecognition = true;
};

struct Analysis {
    std::u16string name, surname, given;
    int surnameLength = 1;
    bool company = false;
    // Null where the window shows no number (a label still showing its own name).
    std::optional<long long> total, heaven, person, earth, outer;
    std::optional<std::u16string> score;  // as shown, e.g. "89.8"
    std::u16string attribute;
    LuckClass totalClass{}, heavenClass{}, personClass{}, earthClass{}, outerClass{};
    std::optional<Sancai> sancai;  // none for a company name or where the grids are not computed
    friend bool operator==(const Analysis&, const Analysis&) = default;
};

[[nodiscard]] Analysis readAnalysis(const MainForm& form);

// Sets the options on a freshly loaded form and pastes the name.
void pasteName(MainForm& form, std::u16string_view name, const AnalysisOptions& options);

// What a freshly loaded form shows after pasteName, computed from the characters' stroke counts
// and attributes alone: no controls, no work area, numbers kept as numbers. Equal to
// readAnalysis of the form in every case, odd ones included (characters in no list, surrogate
// pairs, surname lengths beyond the name).
[[nodiscard]] Analysis analyseName(CharacterData& data, std::u16string_view name,
                                   const AnalysisOptions& options);

// The personal score shown for a luck classes (吉) and b misfortune classes (凶) among the five
// grid texts; the order of the boxes does not change the rounded figure.
[[nodiscard]] std::u16string_view personalScore(int luck, int misfortune) noexcept;

}  // namespace muwu
