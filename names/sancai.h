#pragma once
// 三才: the elements of 天格, 人格 and 地格 and the class of their combination. A grid's element
// comes from the last digit of its number (1, 2 木; 3, 4 火; 5, 6 土; 7, 8 金; 9, 0 水); the class
// of each of the 125 combinations is data (resources/sancai.txt, written by tools/gen_sancai.py).
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace muwu {

enum class Element : std::uint8_t { wood, fire, earth, metal, water };  // 木 火 土 金 水

// The classes a combination can have, worst first, so that a better class compares greater:
// a filter keeps c >= floor, a ranking sorts by c descending.
enum class SancaiClass : std::uint8_t { misfortune, middling, luck };  // 凶 < 平 < 吉

struct Sancai {
    Element heaven{}, person{}, earth{};
    SancaiClass verdict{};
    friend bool operator==(const Sancai&, const Sancai&) = default;
};

// The element of a grid number by its last digit; a number below zero by that of its magnitude.
[[nodiscard]] constexpr Element elementOf(long long gridNumber) noexcept {
    const long long digit = (gridNumber < 0 ? -(gridNumber % 10) : gridNumber % 10);
    constexpr Element kByDigit[10] = {
        Element::water, Element::wood,  Element::wood,  Element::fire,  Element::fire,
        Element::earth, Element::earth, Element::metal, Element::metal, Element::water};
    return kByDigit[digit];
}

// The 三才 of the three grid numbers, in the order 天格, 人格, 地格.
[[nodiscard]] Sancai sancaiOf(long long heaven, long long person, long long earth) noexcept;

// The class of a combination of elements, from the table.
[[nodiscard]] SancaiClass sancaiClassOf(Element heaven, Element person, Element earth) noexcept;

[[nodiscard]] std::u16string_view elementName(Element e) noexcept;          // "木" …
[[nodiscard]] std::u16string elementsText(const Sancai& s);                 // "木火土"
[[nodiscard]] std::u16string_view sancaiClassName(SancaiClass c) noexcept;  // "吉", "平", "凶"
// The class a name stands for ("吉"), nullopt for any other text.
[[nodiscard]] std::optional<SancaiClass> sancaiClassNamed(std::u16string_view name) noexcept;

// How many of the 125 combinations the table gives a class, each counted once; the table is
// whole when this is 125.
[[nodiscard]] int sancaiTableRows() noexcept;

}  // namespace muwu
