#pragma once
// analyze --json's object for one analysis, written in runs of bytes: fixed key fragments, names
// encoded straight into the buffer, numbers through to_chars. The same bytes the general JSON
// object writer produces.
#include <string>

#include "names/analysis.h"

namespace muwu::cli {

// The object's fields without the closing brace, so callers can add their own.
void appendAnalysisFields(std::string& out, const Analysis& a);

// The whole object and its line end.
void appendAnalysisJson(std::string& out, const Analysis& a);

}  // namespace muwu::cli
