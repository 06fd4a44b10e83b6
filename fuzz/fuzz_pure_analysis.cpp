// The analysis from stroke counts against the form driven through its events, on any name with any
// options: the two must agree in every field.
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
    muwu::AnalysisOptions options;
    options.company = flags & 1;
    options.autoRecognition = !(flags & 2);
    if (flags & 4)
        options.surnameLength = data[1] % 13;
    std::u16string name;
    if (flags & 8) {
        // Raw code units, so lone surrogates and every plane reach the analysis as they are.
        for (std::size_t i = 2; i + 1 < size; i += 2)
            name.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    } else {
        name = muwu::fromUtf8(std::string(reinterpret_cast<const char*>(data) + 2, size - 2));
    }
    muwu::MainForm form(characters);
    form.load();
    muwu::pasteName(form, name, options);
    if (muwu::readAnalysis(form) != muwu::analyseName(characters, name, options))
        std::abort();
    (void)characters.takeProblems();
    return 0;
}
