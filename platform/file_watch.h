#pragma once
// Tells which data files changed since the last question, so cached file contents can be trusted
// without reading them again. Uses inotify on the folder (for files created, replaced or removed
// in it) and on each file read (for edits of its content through any name: a symbolic link's
// target, another hard link); where that is unavailable, callers fall back to comparing stamps.
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace muwu {

// Identity of a file's current content as far as the file system tells it.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    long long mtimeNs = 0;
    unsigned long long device = 0;
    unsigned long long inode = 0;
    unsigned mode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// Follows symbolic links, as opening the file does.
[[nodiscard]] FileStamp stampOf(const std::filesystem::path& file);
[[nodiscard]] FileStamp stampOf(const struct stat& st);

class FolderWatch {
  public:
    explicit FolderWatch(std::filesystem::path folder);
    ~FolderWatch();
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // False when the kernel gave no watch; then nothing can be concluded from poll().
    [[nodiscard]] bool active() const noexcept { return watch_ >= 0; }

    struct Changes {
        bool everything = false;         // the queue overflowed or the folder itself went away
        std::vector<std::string> names;  // file names (bytes as on disk) that changed
        [[nodiscard]] bool empty() const noexcept { return !everything && names.empty(); }
    };

    // Non-blocking: one read of the event queue. Changes made before the call are always reported,
    // since the kernel queues the event before the writing call returns. A folder path that now
    // leads elsewhere (a repointed symbolic link) counts as the folder going away.
    [[nodiscard]] Changes poll();

    // Watches the file that name (in the folder) leads to now, wherever it lies, until name is
    // watched again; edits of it are reported under name.
    void watchFile(const std::string& name);

  private:
    void arm();
    void forgetFiles();

    std::filesystem::path folder_;
    int fd_ = -1;
    int watch_ = -1;
    FileStamp folderStamp_;
    std::map<int, std::set<std::string>> fileWatches_;  // watch → the names it serves
    std::map<std::string, int> watchOfName_;
};

}  // namespace muwu
