// The stream of one member of a zip archive: reads (and, for a rewrite, writes) inside the member's data.
#pragma once
#include <memory>

#include "foundation/CFileBuf.h"

class CFile;
class ZipArchive;
struct ZipMember;

class ZipMemberReader : public CFileBuf {
public:
    // handle is the archive's shared file, or (ownsHandle) one opened for this stream alone.
    ZipMemberReader(ZipArchive* archive, ZipMember* member, std::shared_ptr<CFile> handle, bool ownsHandle,
                    long long dataStart, int openFlags);
    ~ZipMemberReader() override;

    int Write(const void* data, int n) override;
    int Read(void* data, int n) override;
    bool SeekRelative(int delta) override;
    bool Seek(int position) override;
    int Tell() override;
    int Size() override;
    void SetSize(int size) override;
    void Close() override;

private:
    bool m_ownsHandle;
    long long m_dataStart;
    long long m_position;
    ZipMember* m_member;
    std::shared_ptr<CFile> m_handle;
    ZipArchive* m_archive;
    int m_openFlags;
};
