#pragma once
// One analysis as the command line prints it: a JSON object, or readable text in which control
// characters of the name are shown escaped.
#include <string>

#include "cli/json.h"
#include "names/analysis.h"

namespace muwu::cli {

[[nodiscard]] std::string classJson(LuckClass c);

// The analysis' fields, for an object that may get more.
json::Object& analysisFields(json::Object& object, const Analysis& a);

void appendAnalysisText(std::string& out, const Analysis& a);

}  // namespace muwu::cli
