#include "platform/file_watch.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace muwu {

namespace {
constexpr std::uint32_t kMask = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;
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
    watch_ = inotify_add_watch(fd_, folder_.c_str(), kMask);
}

FolderWatch::Changes FolderWatch::poll() {
    Changes changes;
    if (fd_ < 0) {
        changes.everything = true;
        return changes;
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
            if (event.mask & IN_Q_OVERFLOW) {
                changes.everything = true;
            } else if (event.mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED)) {
                changes.everything = true;
                // Events of a watch given up earlier say nothing about the current one.
                if (event.wd == watch_) {
                    if (event.mask & IN_MOVE_SELF)
                        inotify_rm_watch(fd_, watch_);
                    watch_ = -1;
                }
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

FileStamp stampOf(const std::filesystem::path& file) {
    struct stat st {};
    FileStamp stamp;
    if (::stat(file.c_str(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.size = static_cast<std::uintmax_t>(st.st_size);
    stamp.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
    stamp.inode = st.st_ino;
    return stamp;
}

}  // namespace muwu
