#include "cli/analysis_output.h"

#include "platform/text.h"

namespace muwu::cli {

std::string classJson(LuckClass c) {
    if (c == LuckClass::none)
        return "null";
    std::string s;
    json::appendString(s, className(c));
    return s;
}

std::string sancaiJson(const std::optional<Sancai>& s) {
    if (!s)
        return "null";
    std::string out;
    json::Object(out)
        .field("elements", std::u16string_view(elementsText(*s)))
        .field("class", sancaiClassName(s->verdict))
        .close();
    return out;
}

json::Object& analysisFields(json::Object& object, const Analysis& a) {
    std::string classes;
    json::Object(classes)
        .raw("total", classJson(a.totalClass))
        .raw("heaven", classJson(a.heavenClass))
        .raw("person", classJson(a.personClass))
        .raw("earth", classJson(a.earthClass))
        .raw("outer", classJson(a.outerClass))
        .close();
    return object.field("name", std::u16string_view(a.name))
        .field("surname", std::u16string_view(a.surname))
        .field("given", std::u16string_view(a.given))
        .field("surname_length", static_cast<long long>(a.surnameLength))
        .field("company", a.company)
        .field("total", a.total)
        .field("heaven", a.heaven)
        .field("person", a.person)
        .field("earth", a.earth)
        .field("outer", a.outer)
        .field("score", a.score)
        .field("attribute", std::u16string_view(a.attribute))
        .raw("classes", classes)
        .raw("sancai", sancaiJson(a.sancai));
}

std::string gridText(const std::optional<long long>& n, LuckClass c) {
    std::string text = n ? std::to_string(*n) : "—";
    if (c != LuckClass::none)
        text += "（" + toUtf8(className(c)) + "）";
    return text;
}

std::string sancaiText(const std::optional<Sancai>& s) {
    if (!s)
        return "—";
    return toUtf8(elementsText(*s)) + "（" + toUtf8(sancaiClassName(s->verdict)) + "）";
}

std::string scoreText(const Analysis& a) {
    return a.score ? toUtf8(*a.score) : std::string("—");
}

namespace {

void appendGridLine(std::string& out, std::string_view label, const std::optional<long long>& n,
                    LuckClass c) {
    out += "  ";
    out += label;
    out += "：";
    out += gridText(n, c);
    out += '\n';
}

}  // namespace

void appendAnalysisText(std::string& out, const Analysis& a) {
    out += printable(a.name);
    out += a.company ? "（公司名）\n" : "（人名）\n";
    out += "  姓：" + printable(a.surname) + "　名：" + printable(a.given) + "　姓长度：" +
           std::to_string(a.surnameLength) + "\n";
    appendGridLine(out, "总格", a.total, a.totalClass);
    if (!a.company) {
        appendGridLine(out, "天格", a.heaven, a.heavenClass);
        appendGridLine(out, "人格", a.person, a.personClass);
        appendGridLine(out, "地格", a.earth, a.earthClass);
        appendGridLine(out, "外格", a.outer, a.outerClass);
        out += "  三才：" + sancaiText(a.sancai) + "\n";
    }
    out += "  全称属性：" + printable(a.attribute) + "\n";
    out += "  评分：" + scoreText(a) + "\n";
}

}  // namespace muwu::cli
