#include "shell/folder_map.h"

namespace muwu {

FolderKind folderKindOf(std::u16string_view box) noexcept {
    for (const FolderBox& b : kFolderBoxes) {
        if (b.name == box)
            return b.kind;
    }
    return FolderKind::none;
}

std::string folderBoxText(FolderKind kind, const std::vector<std::string>& candidates,
                          const std::function<bool(const std::string&)>& isFolder) {
    if (kind == FolderKind::none)
        return {};
    for (std::string path : candidates) {
        // Relative paths are no answer: a reader would resolve them against its working folder.
        if (path.empty() || path.front() != '/')
            continue;
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        if (!isFolder(path))
            continue;
        if (kind == FolderKind::temp && path.back() != '/')
            path += '/';
        return path;
    }
    return {};
}

}  // namespace muwu
