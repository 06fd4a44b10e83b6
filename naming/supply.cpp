#include "naming/supply.h"

namespace muwu {

std::string supplyProblem(std::u16string_view supply) {
    for (std::size_t i = 0; i < supply.size(); ++i) {
        if (kSupplyElements.find(supply[i]) == std::u16string_view::npos)
            return "要补的五行只能是金、木、水、火、土";
        if (supply.substr(0, i).find(supply[i]) != std::u16string_view::npos)
            return "要补的五行每个只写一次";
    }
    return {};
}

int supplyGroup(std::u16string_view supply, std::u16string_view attribute) noexcept {
    if (attribute.size() != 1 || supply.find(attribute[0]) == std::u16string_view::npos)
        return 0;
    return 1 + static_cast<int>(kSupplyElements.find(attribute[0]));
}

int suppliedCount(std::u16string_view supply, std::u16string_view attributes) noexcept {
    int count = 0;
    for (const char16_t e : kSupplyElements) {
        if (supply.find(e) != std::u16string_view::npos &&
            attributes.find(e) != std::u16string_view::npos)
            ++count;
    }
    return count;
}

}  // namespace muwu
