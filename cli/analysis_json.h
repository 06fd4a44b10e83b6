#pragma once
// analyze --json's object for one analysis, written in runs of bytes: fixed key fragments, names
// encoded straight into the buffer, numbers through to_chars. The same bytes the general JSON
// object writer produces.
#include <string>

#include "names/analysis.h"

namespace muwu::cli {

// The object's fields without the closing brace, so callers can add their own. The meanings are
// those of the given name (a company: of the whole name), or of the characters given.
void appendAnalysisFields(std::string& out, const Analysis& a);
void appendAnalysisFields(std::string& out, const Analysis& a, std::u16string_view meaningful);

// The whole object and its line end.
void appendAnalysisJson(std::string& out, const Analysis& a);

}  // namespace muwu::cli
