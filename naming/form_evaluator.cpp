#include "naming/form_evaluator.h"

#include "names/luck_table.h"

namespace muwu {

void FormEvaluator::select(NameOption option) {
    switch (option) {
        case NameOption::person:
            form_.select人名();
            break;
        case NameOption::company:
            form_.select公司名();
            break;
        case NameOption::singleSurname:
            form_.select单姓();
            break;
        case NameOption::doubleSurname:
            form_.select复姓();
            break;
    }
}

bool FormEvaluator::isRed(GridBox box) const {
    switch (box) {
        case GridBox::Text4:
            return form_.colourText4 == kRed;
        case GridBox::Text6:
            return form_.colourText6 == kRed;
        case GridBox::Text7:
            return form_.colourText7 == kRed;
        case GridBox::Text8:
            return form_.colourText8 == kRed;
    }
    return false;
}

}  // namespace muwu
