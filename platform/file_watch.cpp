#include "platform/file_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace muwu {

namespace {
constexpr std::uint32_t kFolderMask = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE |
                                      IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF |
                                      IN_MOVE_SELF;
constexpr std::uint32_t kFileMask =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;
}  // namespace

FileStamp stampOf(const struct stat& st) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uintmax_t>(st.st_size);
    stamp.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.mode = st.st_mode;
    return stamp;
}

FileStamp stampOf(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return {};
    return stampOf(st);
}

FolderWatch::FolderWatch(std::filesystem::path folder) : folder_(std::move(folder)) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    arm();
}

FolderWatch::~FolderWatch() {
    if (fd_ >= 0)
        close(fd_);
}

void FolderWatch::arm() {
    if (fd_ < 0)
        return;
    // The watch follows the path to the folder it names now; the stamp taken around it tells
    // later whether the path still leads there.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const FileStamp before = stampOf(folder_);
        watch_ = inotify_add_watch(fd_, folder_.c_str(), kFolderMask | IN_ONLYDIR);
        folderStamp_ = stampOf(folder_);
        if (watch_ < 0 ||
            (before.device == folderStamp_.device && before.inode == folderStamp_.inode))
            return;
    }
}

void FolderWatch::forgetFiles() {
    for (const auto& [wd, names] : fileWatches_) {
        if (wd != watch_)
            inotify_rm_watch(fd_, wd);
    }
    fileWatches_.clear();
    watchOfName_.clear();
}

void FolderWatch::watchFile(const std::string& name) {
    if (fd_ < 0 || watch_ < 0)
        return;
    // The same file keeps its watch: removing a watch waits for the kernel, adding one does not.
    const int wd = inotify_add_watch(fd_, (folder_ / name).c_str(), kFileMask);
    const auto old = watchOfName_.find(name);
    if (old != watchOfName_.end() && old->second == wd)
        return;
    if (old != watchOfName_.end()) {
        auto& names = fileWatches_[old->second];
        names.erase(name);
        if (names.empty()) {
            inotify_rm_watch(fd_, old->second);
            fileWatches_.erase(old->second);
        }
        watchOfName_.erase(old);
    }
    if (wd < 0 || wd == watch_)
        return;  // the folder's own watch already reports what happens to name
    fileWatches_[wd].insert(name);
    watchOfName_[name] = wd;
}

FolderWatch::Changes FolderWatch::poll() {
    Changes changes;
    if (fd_ < 0) {
        changes.everything = true;
        return changes;
    }
    if (watch_ >= 0) {
        const FileStamp now = stampOf(folder_);
        if (now.device != folderStamp_.device || now.inode != folderStamp_.inode) {
            // The path leads to another folder now: start over there.
            inotify_rm_watch(fd_, watch_);
            forgetFiles();
            watch_ = -1;
        }
    }
    if (watch_ < 0) {
        // The folder was missing or replaced: try again, and trust nothing cached meanwhile.
        arm();
        changes.everything = true;
        return changes;
    }
    alignas(inotify_event) std::array<char, 16384> buffer;
    for (;;) {
        const ssize_t got = read(fd_, buffer.data(), buffer.size());
        if (got <= 0)
            break;
        std::size_t offset = 0;
        while (offset < static_cast<std::size_t>(got)) {
            inotify_event event;
            std::memcpy(&event, buffer.data() + offset, sizeof event);
            const auto file = fileWatches_.find(event.wd);
            if (event.mask & IN_Q_OVERFLOW) {
                changes.everything = true;
            } else if (file != fileWatches_.end()) {
                changes.names.insert(changes.names.end(), file->second.begin(), file->second.end());
                if (event.mask & IN_IGNORED) {
                    for (const std::string& name : file->second)
                        watchOfName_.erase(name);
                    fileWatches_.erase(file);
                }
            } else if (event.wd != watch_) {
                // An event of a watch given up earlier says nothing now.
            } else if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                changes.everything = true;
                if (event.mask & IN_MOVE_SELF)
                    inotify_rm_watch(fd_, watch_);
                forgetFiles();
                watch_ = -1;
            } else if (event.len > 0) {
                const char* name = buffer.data() + offset + sizeof(inotify_event);
                changes.names.emplace_back(name, strnlen(name, event.len));
            }
            offset += sizeof(inotify_event) + event.len;
        }
    }
    if (watch_ < 0)
        arm();
    return changes;
}

}  // namespace muwu
