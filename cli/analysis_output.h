#pragma once
// One analysis as the command line prints it: a JSON object, or readable text in which control
// characters of the name are shown escaped.
#include <string>

#include "cli/json.h"
#include "names/analysis.h"

namespace muwu::cli {

[[nodiscard]] std::string classJson(LuckClass c);
// {"elements":"木火土","class":"吉"}, or null.
[[nodiscard]] std::string sancaiJson(const std::optional<Sancai>& s);

// The analysis' fields, for an object that may get more.
json::Object& analysisFields(json::Object& object, const Analysis& a);

void appendAnalysisText(std::string& out, const Analysis& a);

// A grid as text: its number, or "—" without one, then its class in brackets: "21（大吉）".
[[nodiscard]] std::string gridText(const std::optional<long long>& n, LuckClass c);

// The elements of a 三才 and its class, "木火土（吉）", or "—" without one.
[[nodiscard]] std::string sancaiText(const std::optional<Sancai>& s);

// The score, or "—" while there is none.
[[nodiscard]] std::string scoreText(const Analysis& a);

}  // namespace muwu::cli
