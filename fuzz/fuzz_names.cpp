// Any name, in any mode, typed or pasted: the split keeps every character, the surname length
// stays in range, and every text shown converts to valid UTF-8.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "names/analysis.h"
#include "names/char_data.h"
#include "platform/data_folder.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static muwu::CharacterData characters(muwu::findDataFolder(muwu::programFolder()));
    if (size < 2)
        return 0;
    const std::uint8_t flags = data[0];
    const std::u16string name =
        muwu::fromUtf8(std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
    muwu::MainForm form(characters);
    form.load();
    muwu::AnalysisOptions options;
    options.company = flags & 1;
    options.autoRecognition = !(flags & 2);
    if (flags & 4)
        options.surnameLength = data[1] % 12;
    if (flags & 8) {
        for (std::size_t i = 1; i <= name.size(); ++i)
            form.setText3(std::u16string_view(name).substr(0, i));
    }
    if (flags & 16)
        form.正在取名 = true;
    muwu::pasteName(form, name, options);
    if (flags & 32)
        form.release复姓();
    if (flags & 64)
        form.release单姓();
    if (form.姓长度 < 1 || form.姓长度 > 10)
        std::abort();
    if (form.姓 + form.名 != form.Text3)
        std::abort();
    const muwu::Analysis a = muwu::readAnalysis(form);
    for (const std::u16string* text : {&a.name, &a.surname, &a.given, &a.attribute}) {
        const std::string utf8 = muwu::toUtf8(*text);
        if (muwu::toUtf8(muwu::fromUtf8(utf8)) != utf8)
            std::abort();
    }
    if (form.colourText4 != muwu::gridColour(form.Text4))
        std::abort();
    (void)characters.takeProblems();
    return 0;
}
