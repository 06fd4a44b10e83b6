#include "cli/analysis_json.h"

#include <charconv>
#include <cstring>
#include <string_view>

#include "cli/json.h"
#include "naming/name_search.h"
#include "platform/text.h"

namespace muwu::cli {

namespace {

bool plain(std::u16string_view text) {
    for (const char16_t u : text) {
        if (u < 0x20 || u == u'"' || u == u'\\' || u == 0x7F || isSurrogate(u))
            return false;
    }
    return true;
}

// Writes into room the caller has sized: at most kFixedBytes plus kBytesPerUnit for every code
// unit of the texts. A text that needs escapes or holds surrogates goes through the general
// writer, which decides about escapes and replacement characters; the rest is encoded here.
class Writer {
  public:
    static constexpr std::size_t kFixedBytes = 512;
    static constexpr std::size_t kBytesPerUnit = 6;  // "\u001f" is the longest form of one unit

    explicit Writer(char* p) : p_(p) {}

    Writer& raw(std::string_view s) {
        if (!s.empty())  // an empty view may hold no pointer at all
            std::memcpy(p_, s.data(), s.size());
        p_ += s.size();
        return *this;
    }

    Writer& text(std::u16string_view t) {
        if (!plain(t)) {
            std::string escaped;
            json::appendString(escaped, t);
            return raw(escaped);
        }
        *p_++ = '"';
        for (const char16_t u : t) {
            if (u < 0x80) {
                *p_++ = static_cast<char>(u);
            } else if (u < 0x800) {
                *p_++ = static_cast<char>(0xC0 | (u >> 6));
                *p_++ = static_cast<char>(0x80 | (u & 0x3F));
            } else {
                *p_++ = static_cast<char>(0xE0 | (u >> 12));
                *p_++ = static_cast<char>(0x80 | ((u >> 6) & 0x3F));
                *p_++ = static_cast<char>(0x80 | (u & 0x3F));
            }
        }
        *p_++ = '"';
        return *this;
    }

    Writer& number(long long n) {
        p_ = std::to_chars(p_, p_ + 24, n).ptr;
        return *this;
    }

    Writer& number(const std::optional<long long>& n) { return n ? number(*n) : raw("null"); }

    Writer& luckClass(LuckClass c) {
        switch (c) {
            case LuckClass::greatLuck:
                return raw("\"大吉\"");
            case LuckClass::luck:
                return raw("\"吉\"");
            case LuckClass::misfortune:
                return raw("\"凶\"");
            case LuckClass::none:
                break;
        }
        return raw("null");
    }

    Writer& sancai(const std::optional<Sancai>& s) {
        if (!s)
            return raw("null");
        static constexpr std::string_view kElements[] = {"木", "火", "土", "金", "水"};
        const auto element = [](Element e) { return kElements[static_cast<std::size_t>(e)]; };
        raw("{\"elements\":\"").raw(element(s->heaven)).raw(element(s->person));
        raw(element(s->earth)).raw("\",\"class\":");
        switch (s->verdict) {
            case SancaiClass::luck:
                return raw("\"吉\"}");
            case SancaiClass::middling:
                return raw("\"平\"}");
            case SancaiClass::misfortune:
                break;
        }
        return raw("\"凶\"}");
    }

    [[nodiscard]] char* end() const { return p_; }

  private:
    char* p_;
};

void write(Writer& w, const Analysis& a, std::u16string_view pinyin, std::u16string_view part) {
    w.raw("{\"name\":").text(a.name);
    w.raw(",\"surname\":").text(a.surname);
    w.raw(",\"given\":").text(a.given);
    w.raw(",\"surname_length\":").number(static_cast<long long>(a.surnameLength));
    w.raw(a.company ? ",\"company\":true,\"total\":" : ",\"company\":false,\"total\":");
    w.number(a.total).raw(",\"heaven\":").number(a.heaven);
    w.raw(",\"person\":").number(a.person).raw(",\"earth\":").number(a.earth);
    w.raw(",\"outer\":").number(a.outer).raw(",\"score\":");
    if (a.score) {
        w.text(*a.score);
    } else {
        w.raw("null");
    }
    w.raw(",\"attribute\":").text(a.attribute);
    w.raw(",\"classes\":{\"total\":").luckClass(a.totalClass);
    w.raw(",\"heaven\":").luckClass(a.heavenClass);
    w.raw(",\"person\":").luckClass(a.personClass);
    w.raw(",\"earth\":").luckClass(a.earthClass);
    w.raw(",\"outer\":").luckClass(a.outerClass).raw("},\"sancai\":").sancai(a.sancai);
    w.raw(",\"pinyin\":").text(pinyin).raw(",\"meanings\":[");
    for (std::size_t i = 0; i < part.size(); ++i) {
        w.raw(i == 0 ? "{\"char\":" : ",{\"char\":").text(part.substr(i, 1));
        w.raw(",\"meaning\":");
        if (const std::u16string_view m = meaningOf(part[i], a.company); m.empty()) {
            w.raw("null");
        } else {
            w.text(m);
        }
        w.raw("}");
    }
    w.raw("]");
}

// The fixed text of one meaning: {"char":,"meaning":null} and a comma.
constexpr std::size_t kBytesPerMeaning = 32;

// The object into a stack buffer when it surely fits (every name of everyday length), appended
// to out in one run.
void appendObject(std::string& out, const Analysis& a, std::u16string_view part,
                  std::string_view tail) {
    const std::u16string pinyin = pinyinOf(a);
    std::size_t units = a.name.size() + a.surname.size() + a.given.size() + a.attribute.size() +
                        (a.score ? a.score->size() : 0) + pinyin.size() + part.size();
    for (const char16_t c : part)
        units += meaningOf(c, a.company).size();
    const std::size_t bound = Writer::kFixedBytes + Writer::kBytesPerUnit * units +
                              kBytesPerMeaning * part.size() + tail.size();
    char stack[2048];
    std::string heap;
    char* buffer = stack;
    if (bound > sizeof stack) {
        heap.resize(bound);
        buffer = heap.data();
    }
    Writer w(buffer);
    write(w, a, pinyin, part);
    w.raw(tail);
    out.append(buffer, static_cast<std::size_t>(w.end() - buffer));
}

}  // namespace

void appendAnalysisFields(std::string& out, const Analysis& a) {
    appendObject(out, a, meaningfulPart(a.name, a.given, a.company), {});
}

void appendAnalysisFields(std::string& out, const Analysis& a, std::u16string_view meaningful) {
    appendObject(out, a, meaningful, {});
}

void appendAnalysisJson(std::string& out, const Analysis& a) {
    appendObject(out, a, meaningfulPart(a.name, a.given, a.company), "}\n");
}

}  // namespace muwu::cli
