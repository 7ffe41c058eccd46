#pragma once
// A small tmpfs of its own, for a full or read-only disk; needs the right to mount.
#include <sys/mount.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace orvanta::testing {

class SmallDisk {
public:
    explicit SmallDisk(const std::string& path) : path_(path) {
        std::filesystem::create_directories(path);
        mounted_ = ::mount("tmpfs", path.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk() {
        if (mounted_) ::umount(path_.c_str());
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    bool MakeReadOnly() const { return ::mount("tmpfs", path_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0; }
    // Full, or with room for leave bytes more.
    void Fill(uintmax_t leave = 0) const {
        {
            std::ofstream filler(path_ + "/filler", std::ios::binary);
            const std::string block(4096, 'x');
            for (int i = 0; i < 32 && filler; ++i) filler << block;
        }
        std::error_code error;
        const uintmax_t size = std::filesystem::file_size(path_ + "/filler", error);
        if (!error && leave > 0) std::filesystem::resize_file(path_ + "/filler", size > leave ? size - leave : 0, error);
    }

private:
    std::string path_;
    bool mounted_ = false;
};

}  // namespace orvanta::testing
