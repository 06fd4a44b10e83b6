#pragma once
// Which local folder each box of the system-folders window holds. The boxes are named after the
// special folders of the system the program was designed on; each is mapped to the freedesktop
// (XDG) folder of the same purpose, or to nothing where this platform has no such folder.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace muwu {

enum class FolderKind {
    none,  // no such folder here: the box stays empty
    temp,  // temporary files; its text ends with a separator
    desktop,
    documents,
    applications,  // per-user menu entries (.desktop files)
    autostart,     // per-user programs started at log-in
    templates,     // new-document templates
    fonts,         // the first font folder that exists, per-user first
    genericData,   // per-user data of all applications
    genericCache,  // per-user cache shared by applications
};

struct FolderBox {
    std::u16string_view name;  // objectName of the box
    FolderKind kind;
};

// In the order the boxes are filled.
inline constexpr std::array<FolderBox, 19> kFolderBoxes{{
    {u"txtWin", FolderKind::none},
    {u"txtSystem", FolderKind::none},
    {u"txtTemp", FolderKind::temp},
    {u"txtDesktop", FolderKind::desktop},
    {u"txtSendTo", FolderKind::none},
    {u"txtDocument", FolderKind::documents},
    {u"txtProgram", FolderKind::applications},
    {u"txtStart", FolderKind::autostart},
    {u"txtStartMenu", FolderKind::applications},
    {u"txtFavorites", FolderKind::none},
    {u"txtRecent", FolderKind::none},
    {u"txtNetHood", FolderKind::none},
    {u"txtFonts", FolderKind::fonts},
    {u"txtCookies", FolderKind::none},
    {u"txtHistory", FolderKind::none},
    {u"txtPageTmp", FolderKind::genericCache},
    {u"txtShellNew", FolderKind::templates},
    {u"txtAppData", FolderKind::genericData},
    {u"txtPrintHood", FolderKind::none},
}};

// Kind of the box with that name; none for a name that is no box.
[[nodiscard]] FolderKind folderKindOf(std::u16string_view box) noexcept;

// Text of a box from the platform's candidate folders for its kind, best first: the first one
// that is a folder, without trailing separators (the root stays "/"), the temporary folder with
// exactly one; empty when no candidate is a folder or the kind is none.
[[nodiscard]] std::string folderBoxText(FolderKind kind, const std::vector<std::string>& candidates,
                                        const std::function<bool(const std::string&)>& isFolder);

}  // namespace muwu
