#pragma once
// Tells which files of one folder changed since the last question, so cached file contents can be
// trusted without reading them again. Uses inotify; where that is unavailable, callers fall back to
// comparing file stamps.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace muwu {

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
    // since the kernel queues the event before the writing call returns.
    [[nodiscard]] Changes poll();

  private:
    void arm();

    std::filesystem::path folder_;
    int fd_ = -1;
    int watch_ = -1;
};

// Identity of a file's current content as far as the file system tells it.
struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    long long mtimeNs = 0;
    unsigned long long inode = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

[[nodiscard]] FileStamp stampOf(const std::filesystem::path& file);

}  // namespace muwu
