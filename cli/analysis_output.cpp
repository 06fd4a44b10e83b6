#include "cli/analysis_output.h"

#include "naming/name_search.h"
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
        .raw("sancai", sancaiJson(a.sancai))
        .field("pinyin", std::u16string_view(pinyinOf(a)))
        .raw("meanings", meaningsJson(a));
}

std::string meaningsJson(const Analysis& a) {
    std::string out = "[";
    for (const CharacterMeaning& m : meaningsOf(a)) {
        if (out.size() > 1)
            out += ',';
        json::Object object(out);
        object.field("char", std::u16string_view(&m.c, 1));
        if (m.meaning.empty()) {
            object.raw("meaning", "null");
        } else {
            object.field("meaning", m.meaning);
        }
        object.close();
    }
    return out + "]";
}

std::string meaningsText(const Analysis& a) {
    return meaningsText(meaningsOf(a));
}

std::string meaningsText(const std::vector<CharacterMeaning>& meanings) {
    std::string out;
    for (const CharacterMeaning& m : meanings) {
        if (m.meaning.empty())
            continue;
        if (!out.empty())
            out += "；";
        out += printable(std::u16string_view(&m.c, 1)) + "：" + printable(m.meaning);
    }
    return out;
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
    out += "  拼音：" + printable(pinyinOf(a)) + "\n";
    if (const std::string meanings = meaningsText(a); !meanings.empty())
        out += "  寓意：" + meanings + "\n";
}

}  // namespace muwu::cli
