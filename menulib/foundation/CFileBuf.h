// The streams under CFile: a C runtime file, bytes in memory, or an archive member.
#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>

#include "foundation/CString.h"
#include "foundation/MallocBlock.h"

// Closes a stream's C runtime file when the stream owns it (the open path sets that); a borrowed file is only
// let go.
struct CloseFileWhenOwned {
    bool owns = false;
    void operator()(std::FILE* file) const
    {
        if (owns) std::fclose(file);
    }
};

class CFileBuf {
public:
    CFileBuf();
    explicit CFileBuf(std::FILE* file, bool ownsFile);
    virtual ~CFileBuf();
    CFileBuf(const CFileBuf&) = delete;
    CFileBuf& operator=(const CFileBuf&) = delete;

    // Streams live in the small-block pool.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size);

    virtual bool IsInMemory() const { return false; }
    virtual int Write(const void* data, int n);
    virtual int Read(void* data, int n);
    virtual bool SeekRelative(int delta);
    virtual bool Seek(int position);
    virtual int Tell();
    virtual int Size();
    virtual void SetSize(int size);
    virtual void Close();
    virtual bool CanSkip() const { return false; }
    virtual const void* Skip(int n) { return nullptr; }
    virtual void* DetachBuffer() { return nullptr; }
    virtual int Reserved() { return 0; }
    virtual bool ReadLine(CString& line);

    void SetOwnsFile(bool owns) { m_file.get_deleter().owns = owns; }
    std::FILE* GetFile() const { return m_file.get(); }
    // The zip CRC-32 of the whole stream, read from the start.
    std::uint32_t Crc32();
    // Whether address names a stream that exists now (for the "~CFileBuf 0x" pseudo path).
    static CFileBuf* FindLive(std::uintptr_t address);

private:
    enum class LastAccess {
        None,
        Read,
        Write
    };
    void Switch(LastAccess next);

    std::unique_ptr<std::FILE, CloseFileWhenOwned> m_file;
    LastAccess m_last = LastAccess::None;
};

// Bytes in memory. The data is a malloc block; DetachBuffer hands it to the caller, who frees it with free().
class CMemoryFileBuf : public CFileBuf {
public:
    CMemoryFileBuf() = default;
    // Takes ownership of a malloc block of size bytes.
    CMemoryFileBuf(void* data, int size);
    ~CMemoryFileBuf() override;

    bool IsInMemory() const override { return true; }
    int Write(const void* data, int n) override;
    int Read(void* data, int n) override;
    bool SeekRelative(int delta) override;
    bool Seek(int position) override;
    int Tell() override { return m_position; }
    int Size() override { return m_size; }
    void SetSize(int) override {}
    void Close() override;
    bool CanSkip() const override { return true; }
    const void* Skip(int n) override;
    void* DetachBuffer() override;
    bool ReadLine(CString& line) override;

    void SetPosition(int position) { Seek(position); }
    void Clear();
    bool ContentEquals(const CMemoryFileBuf& other) const;
    void CopyFrom(CFileBuf& other);
    const std::uint8_t* GetData() const { return m_data.get(); }

private:
    bool Reserve(long long needed);

    std::int32_t m_position = 0;
    std::int32_t m_size = 0;
    std::int32_t m_capacity = 0;
    MallocBlock<std::uint8_t> m_data;
};
