#pragma once
// The maker's pages and the once-only visits as plain rules: which address or local file a link
// opens, and what a stored flag says.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace muwu {

// The maker's web site. A reserved name until the studio has a server of its own, so nobody
// else's host gets our visitors; MUWU_SITE points the program elsewhere.
inline constexpr std::string_view kSiteAddress = "http://www.muwu.example";
inline constexpr const char* kSiteVariable = "MUWU_SITE";

// Pages on the site, and their local counterparts in the program's folder.
inline constexpr std::string_view kAuthorPage = "/Lanqiao_jianjie.htm";
inline constexpr std::string_view kPoetryPage = "/QingCenRoZa/QingCenRoZa.htm";
inline constexpr std::string_view kAuthorFile = "Lanqiao_jianjie.htm";
inline constexpr std::string_view kPoetryFile = "QingCenRoZa/青岑诗集.exe";

// The application's title, which also names its settings.
inline constexpr std::u16string_view kProgramName = u"沐梧取名器";

// Where the settings of the links live, and the two once-only keys.
inline constexpr std::u16string_view kSettingsApplication = kProgramName;
inline constexpr std::u16string_view kSettingsSection = u"参数";
inline constexpr std::u16string_view kSiteOpenedKey = u"已经打开官方网页";
inline constexpr std::u16string_view kAuthorOpenedKey = u"已经打开作者网页";
inline constexpr std::u16string_view kTrue = u"True";

// The site's address: the override when it holds more than blanks, else kSiteAddress.
[[nodiscard]] std::string siteAddress(const char* override);

// A page of the site: the site's trailing slashes give way to the page's own.
[[nodiscard]] std::string pageAddress(std::string_view site, std::string_view page);

// A link opens a local file when there is one, else a page of the site.
struct LinkTarget {
    std::filesystem::path file;  // empty for a page
    std::string address;         // empty for a file
    [[nodiscard]] bool isLocal() const noexcept { return !file.empty(); }
};

// The local file when it is an ordinary file (a folder of that name does not count), else the
// page on the site.
[[nodiscard]] LinkTarget linkTarget(const std::filesystem::path& programFolder,
                                    std::string_view localFile, std::string_view site,
                                    std::string_view page);

// Whether a once-only visit has happened, from the stored text of its key (nullopt: no key).
// Only a missing key, "False" or "0" (any case, blanks around) mean not yet. Any other text the
// store holds counts as done, so a damaged value cannot bring the page back at every start.
[[nodiscard]] bool visitDone(std::optional<std::u16string_view> stored) noexcept;

}  // namespace muwu
