#include "cli/json.h"

#include "platform/text.h"

namespace muwu::json {

void appendString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (u < 0x20 || u == 0x7F) {
                    out += "\\u00";
                    out += kHex[u >> 4];
                    out += kHex[u & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void appendString(std::string& out, std::u16string_view text) {
    appendString(out, toUtf8(text));
}

Object& Object::key(std::string_view name) {
    if (!first_)
        out_ += ',';
    first_ = false;
    appendString(out_, name);
    out_ += ':';
    return *this;
}

Object& Object::field(std::string_view name, std::u16string_view value) {
    key(name);
    appendString(out_, value);
    return *this;
}

Object& Object::field(std::string_view name, std::string_view value) {
    key(name);
    appendString(out_, value);
    return *this;
}

Object& Object::field(std::string_view name, bool value) {
    key(name);
    out_ += value ? "true" : "false";
    return *this;
}

Object& Object::field(std::string_view name, long long value) {
    key(name);
    out_ += std::to_string(value);
    return *this;
}

Object& Object::field(std::string_view name, std::optional<long long> value) {
    if (!value)
        return raw(name, "null");
    return field(name, *value);
}

Object& Object::field(std::string_view name, std::optional<std::u16string> value) {
    if (!value)
        return raw(name, "null");
    return field(name, std::u16string_view(*value));
}

Object& Object::raw(std::string_view name, std::string_view json) {
    key(name);
    out_ += json;
    return *this;
}

}  // namespace muwu::json
