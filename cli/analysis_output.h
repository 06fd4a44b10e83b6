#pragma once
// One analysis as the command line prints it: a JSON object, or readable text in which control
// characters of the name are shown escaped.
#include <string>

#include "cli/json.h"
#include "lexicon/name_tables.h"
#include "names/analysis.h"

namespace muwu::cli {

[[nodiscard]] std::string classJson(LuckClass c);
// {"elements":"木火土","class":"吉"}, or null.
[[nodiscard]] std::string sancaiJson(const std::optional<Sancai>& s);

// The analysis' fields, for an object that may get more: those of the analysis, then the
// name's pinyin and the meanings of its given-name characters.
json::Object& analysisFields(json::Object& object, const Analysis& a);

// The meanings as a JSON array: {"char":"明","meaning":"…"} per given-name character (a
// company: per character), "meaning" null where the table has none.
[[nodiscard]] std::string meaningsJson(const Analysis& a);

// The meanings there are, as text: "明：光明磊落；轩：气宇轩昂"; empty when there are none.
[[nodiscard]] std::string meaningsText(const Analysis& a);
[[nodiscard]] std::string meaningsText(const std::vector<CharacterMeaning>& meanings);

void appendAnalysisText(std::string& out, const Analysis& a);

// A grid as text: its number, or "—" without one, then its class in brackets: "21（大吉）".
[[nodiscard]] std::string gridText(const std::optional<long long>& n, LuckClass c);

// The elements of a 三才 and its class, "木火土（吉）", or "—" without one.
[[nodiscard]] std::string sancaiText(const std::optional<Sancai>& s);

// The score, or "—" while there is none.
[[nodiscard]] std::string scoreText(const Analysis& a);

}  // namespace muwu::cli
