#include "platform/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/error_text.h"

namespace muwu {

namespace {

std::string kindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "文件夹";
    if (S_ISFIFO(mode))
        return "命名管道";
    if (S_ISSOCK(mode))
        return "套接字";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "设备";
    return "特殊文件";
}

std::string sizeText(std::size_t bytes) {
    return std::to_string(bytes >> 20) + " MiB";
}

}  // namespace

std::string FileRead::problem() const {
    switch (status) {
        case FileReadStatus::ok:
            return {};
        case FileReadStatus::missing:
            return "不存在";
        case FileReadStatus::notRegular:
            return "是" + kind + "，不是普通文件";
        case FileReadStatus::tooLarge:
            return "超过 " + sizeText(kMaxDataFileBytes) + "，不像数据文件";
        case FileReadStatus::failed:
            return "无法读取（" + systemErrorText(error) + "）";
    }
    return {};
}

FileRead readDataFile(const std::filesystem::path& file, std::size_t limit) {
    FileRead r;
    struct stat st {};
    if (::lstat(file.c_str(), &st) == 0 && S_ISLNK(st.st_mode))
        r.viaLink = true;
    // The kind is checked before opening, so that no device is ever opened, and again on the
    // opened descriptor, which is what is really read.
    if (::stat(file.c_str(), &st) != 0) {
        r.error = errno;
        r.status = r.error == ENOENT || r.error == ENOTDIR ? FileReadStatus::missing
                                                           : FileReadStatus::failed;
        return r;
    }
    if (!S_ISREG(st.st_mode)) {
        r.stamp = stampOf(st);
        r.status = FileReadStatus::notRegular;
        r.kind = kindOf(st.st_mode);
        return r;
    }
    const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        r.error = errno;
        r.status = r.error == ENOENT ? FileReadStatus::missing : FileReadStatus::failed;
        return r;
    }
    if (::fstat(fd, &st) != 0) {
        r.error = errno;
        r.status = FileReadStatus::failed;
        ::close(fd);
        return r;
    }
    r.stamp = stampOf(st);
    if (!S_ISREG(st.st_mode)) {
        r.status = FileReadStatus::notRegular;
        r.kind = kindOf(st.st_mode);
    } else if (static_cast<std::uintmax_t>(st.st_size) > limit) {
        r.status = FileReadStatus::tooLarge;
    } else {
        r.status = FileReadStatus::ok;
        r.bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
        std::size_t got = 0;
        // Reads to the end, even when the file grew meanwhile, but never past the limit.
        for (;;) {
            if (got == r.bytes.size()) {
                if (got > limit) {
                    r.status = FileReadStatus::tooLarge;
                    break;
                }
                r.bytes.resize(std::min(limit + 1, got * 2 + 4096));
            }
            const ssize_t n = ::read(fd, r.bytes.data() + got, r.bytes.size() - got);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                r.error = errno;
                r.status = FileReadStatus::failed;
                break;
            }
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        r.bytes.resize(r.status == FileReadStatus::ok ? got : 0);
    }
    ::close(fd);
    return r;
}

}  // namespace muwu
