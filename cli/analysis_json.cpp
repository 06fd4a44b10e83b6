#include "cli/analysis_json.h"

#include <charconv>
#include <string_view>

#include "cli/json.h"

namespace muwu::cli {

namespace {

// Text that needs no escaping and holds no surrogate is encoded here in one pass; anything else
// goes through the general writer, which decides about escapes and replacement characters.
void appendText(std::string& out, std::u16string_view text) {
    for (const char16_t u : text) {
        if (u < 0x20 || u == u'"' || u == u'\\' || u == 0x7F || (u >= 0xD800 && u <= 0xDFFF)) {
            json::appendString(out, text);
            return;
        }
    }
    const std::size_t start = out.size();
    out.resize(start + 2 + 3 * text.size());
    char* p = out.data() + start;
    *p++ = '"';
    for (const char16_t u : text) {
        if (u < 0x80) {
            *p++ = static_cast<char>(u);
        } else if (u < 0x800) {
            *p++ = static_cast<char>(0xC0 | (u >> 6));
            *p++ = static_cast<char>(0x80 | (u & 0x3F));
        } else {
            *p++ = static_cast<char>(0xE0 | (u >> 12));
            *p++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            *p++ = static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    *p++ = '"';
    out.resize(static_cast<std::size_t>(p - out.data()));
}

void appendNumber(std::string& out, long long n) {
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, n);
    out.append(buf, end);
}

void appendNumber(std::string& out, const std::optional<long long>& n) {
    if (n) {
        appendNumber(out, *n);
    } else {
        out += "null";
    }
}

std::string_view classText(LuckClass c) {
    switch (c) {
        case LuckClass::greatLuck:
            return "\"大吉\"";
        case LuckClass::luck:
            return "\"吉\"";
        case LuckClass::misfortune:
            return "\"凶\"";
        case LuckClass::none:
            break;
    }
    return "null";
}

}  // namespace

void appendAnalysisFields(std::string& out, const Analysis& a) {
    out += "{\"name\":";
    appendText(out, a.name);
    out += ",\"surname\":";
    appendText(out, a.surname);
    out += ",\"given\":";
    appendText(out, a.given);
    out += ",\"surname_length\":";
    appendNumber(out, static_cast<long long>(a.surnameLength));
    out += a.company ? ",\"company\":true,\"total\":" : ",\"company\":false,\"total\":";
    appendNumber(out, a.total);
    out += ",\"heaven\":";
    appendNumber(out, a.heaven);
    out += ",\"person\":";
    appendNumber(out, a.person);
    out += ",\"earth\":";
    appendNumber(out, a.earth);
    out += ",\"outer\":";
    appendNumber(out, a.outer);
    out += ",\"score\":";
    if (a.score) {
        appendText(out, *a.score);
    } else {
        out += "null";
    }
    out += ",\"attribute\":";
    appendText(out, a.attribute);
    out += ",\"classes\":{\"total\":";
    out += classText(a.totalClass);
    out += ",\"heaven\":";
    out += classText(a.heavenClass);
    out += ",\"person\":";
    out += classText(a.personClass);
    out += ",\"earth\":";
    out += classText(a.earthClass);
    out += ",\"outer\":";
    out += classText(a.outerClass);
    out += '}';
}

void appendAnalysisJson(std::string& out, const Analysis& a) {
    appendAnalysisFields(out, a);
    out += "}\n";
}

}  // namespace muwu::cli
