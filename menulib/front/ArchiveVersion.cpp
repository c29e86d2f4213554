#include "front/ArchiveVersion.h"

#include <sys/stat.h>

#include <map>
#include <string>
#include <utility>

#include "foundation/CFileBuf.h"
#include "foundation/FileFlags.h"
#include "foundation/PropertyStream.h"
#include "foundation/ZipArchive.h"
#include "front/CatalogRecords.h"

namespace {

int ReadVersionMember(const char* archivePath, const char* versionMember)
{
    ZipArchive archive;
    int version = 0;
    if (archive.Open(archivePath, false, "", false, kFileAbsolute) && archive.HasMember(versionMember)) {
        PropertyStream stream;
        if (stream.Attach(archive.OpenMember(versionMember, 0), kFileRead, true)) {
            CAssetVersionInfo info;
            if (info.ReadFromStream(stream)) version = info.m_VersionNumber;
            stream.Close();
        }
    }
    archive.Close();
    return version;
}

// What identifies one state of a file: missing, or its size, change time and inode.
struct FileStamp {
    bool exists = false;
    long long size = 0;
    long long seconds = 0;
    long long nanoseconds = 0;
    unsigned long long inode = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const char* path)
{
    struct stat found {};
    if (::stat(path, &found) != 0 || !S_ISREG(found.st_mode)) return {};
    return {true, static_cast<long long>(found.st_size), static_cast<long long>(found.st_mtim.tv_sec),
            static_cast<long long>(found.st_mtim.tv_nsec), static_cast<unsigned long long>(found.st_ino)};
}

struct KnownVersion {
    FileStamp stamp;
    int version = 0;
};

}  // namespace

int ReadArchiveVersion(const char* archivePath, const char* versionMember)
{
    static std::map<std::pair<std::string, std::string>, KnownVersion> known;
    const FileStamp stamp = StampOf(archivePath);
    KnownVersion& entry = known[{archivePath, versionMember}];
    if (entry.stamp.exists && entry.stamp == stamp) return entry.version;
    entry.stamp = stamp;
    entry.version = stamp.exists ? ReadVersionMember(archivePath, versionMember) : 0;
    return entry.version;
}
