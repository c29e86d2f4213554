#include "platform/dmusic.h"

#include <sys/stat.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "audio/audio_device.h"
#include "audio/com_object.h"
#include "audio/midi_synth.h"
#include "platform/audio_math.h"
#include "platform/files.h"
#include "platform/unique_file.h"

namespace platform::audio {

namespace {

// Music files larger than this are refused.
constexpr long MaxMidiFileBytes = 8 * 1024 * 1024;

std::string ToUtf8(const WCHAR* text, std::size_t limit)
{
    std::string out;
    for (std::size_t i = 0; i < limit && text[i] != 0; ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < limit && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool IsFolder(const std::string& path)
{
    struct stat info {};
    return ::stat(ResolvePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The whole file, or false when it cannot be read or is larger than `limit`.
bool ReadWholeFile(const std::string& path, long limit, std::vector<std::uint8_t>& bytes)
{
    const UniqueFile file = OpenUniqueFile(path, "rb");
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return false;
    const long size = std::ftell(file.get());
    if (size < 0 || size > limit || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;
    bytes.resize(static_cast<std::size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

// The chunk header a Standard MIDI File starts with: the tag "MThd" and the big-endian length of the header's
// body, which holds at least 6 bytes.
struct MidiHeaderChunk {
    static constexpr std::size_t Size = 8;
    static constexpr std::uint32_t MinBodyLength = 6;

    char tag[4];
    std::uint32_t bodyLength;

    static MidiHeaderChunk Parse(const std::uint8_t* bytes)
    {
        MidiHeaderChunk header{};
        std::memcpy(header.tag, bytes, sizeof header.tag);
        header.bodyLength = static_cast<std::uint32_t>(bytes[4]) << 24 | bytes[5] << 16 | bytes[6] << 8 | bytes[7];
        return header;
    }
};

bool LooksLikeMidiFile(const std::vector<std::uint8_t>& bytes)
{
    if (bytes.size() < MidiHeaderChunk::Size + MidiHeaderChunk::MinBodyLength) return false;
    const MidiHeaderChunk header = MidiHeaderChunk::Parse(bytes.data());
    return std::memcmp(header.tag, "MThd", sizeof header.tag) == 0 &&
           header.bodyLength >= MidiHeaderChunk::MinBodyLength &&
           header.bodyLength <= bytes.size() - MidiHeaderChunk::Size;
}

class Segment : public ComObject<IDirectMusicSegment> {
public:
    explicit Segment(std::vector<std::uint8_t> file) : file_(std::move(file)) {}

    HRESULT SetRepeats(DWORD repeats) override
    {
        repeats_ = repeats;
        return S_OK;
    }
    HRESULT GetRepeats(DWORD* repeats) override
    {
        if (!repeats) return E_POINTER;
        *repeats = repeats_;
        return S_OK;
    }
    // Every segment of ours is a Standard MIDI File already: marking it so is accepted as it stands.
    HRESULT SetParam(REFGUID type, DWORD, DWORD, MUSIC_TIME, void*) override
    {
        return type == GUID_StandardMIDIFile ? S_OK : E_NOTIMPL;
    }

    const std::vector<std::uint8_t>& File() const { return file_; }
    // The synthesiser's count of plays: repeats + 1, or -1 for ever.
    int Plays() const { return repeats_ >= 0x7FFFFFFE ? -1 : static_cast<int>(repeats_) + 1; }

private:
    std::vector<std::uint8_t> file_;
    DWORD repeats_ = 0;
};

class Loader : public ComObject<IDirectMusicLoader> {
public:
    HRESULT GetObject(LPDMUS_OBJECTDESC desc, REFIID iid, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (!desc || !(desc->dwValidData & DMUS_OBJ_FILENAME)) return E_INVALIDARG;
        if (!(iid == IID_IDirectMusicSegment)) return E_NOINTERFACE;
        if ((desc->dwValidData & DMUS_OBJ_CLASS) && !(desc->guidClass == CLSID_DirectMusicSegment)) return E_INVALIDARG;
        std::string path = ToUtf8(desc->wszFileName, MAX_PATH);
        if (!(desc->dwValidData & DMUS_OBJ_FULLPATH) && !folder_.empty()) path = folder_ + "/" + path;
        std::vector<std::uint8_t> bytes;
        if (!ReadWholeFile(path, MaxMidiFileBytes, bytes)) return DMUS_E_LOADER_FAILEDOPEN;
        if (!LooksLikeMidiFile(bytes)) return DMUS_E_UNSUPPORTED_STREAM;
        *object = static_cast<IDirectMusicSegment*>(new Segment(std::move(bytes)));
        return S_OK;
    }
    HRESULT SetSearchDirectory(REFGUID, const WCHAR* path, BOOL) override
    {
        if (!path) return E_POINTER;
        const std::string folder = ToUtf8(path, MAX_PATH);
        if (!IsFolder(folder)) return DMUS_E_LOADER_BADPATH;
        folder_ = folder;
        return S_OK;
    }
    // The loader keeps no objects: every GetObject reads its file anew.
    HRESULT ClearCache(REFGUID) override { return S_OK; }
    HRESULT ReleaseObject(IUnknown* object) override { return object ? S_OK : E_POINTER; }

private:
    std::string folder_;
};

class DirectMusic : public ComObject<IDirectMusic> {
public:
    HRESULT Activate(BOOL) override { return S_OK; }
    HRESULT SetDirectSound(LPDIRECTSOUND directSound, HWND) override
    {
        if (!directSound) return E_INVALIDARG;
        std::shared_ptr<AudioDevice> device = DeviceOf(directSound);
        if (!device) return E_INVALIDARG;
        device_ = std::move(device);
        return S_OK;
    }
    std::shared_ptr<AudioDevice> Device() const { return device_; }

private:
    std::shared_ptr<AudioDevice> device_;
};

class Performance : public ComObject<IDirectMusicPerformance> {
public:
    ~Performance() override { CloseDown(); }

    HRESULT Init(IDirectMusic** music, LPDIRECTSOUND directSound, HWND) override
    {
        if (device_) return DMUS_E_NOT_INIT;
        std::shared_ptr<AudioDevice> device = directSound ? DeviceOf(directSound) : nullptr;
        if (!device && music && *music)
            if (auto* ours = dynamic_cast<DirectMusic*>(*music)) device = ours->Device();
        if (!device) return E_INVALIDARG;
        device_ = std::move(device);
        return S_OK;
    }
    HRESULT AddPort(IUnknown*) override
    {
        if (!device_) return DMUS_E_NOT_INIT;
        if (synth_) return S_OK;
        std::unique_ptr<MidiSynth> synth = MidiSynth::Create(device_->GetMixer().Rate());
        if (!synth) return DMUS_E_NO_SOUNDFONT;
        synth->SetGain(GainFromHundredthsOfDb(volume_));
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        synth_ = std::move(synth);
        device_->GetMixer().AddSource(synth_.get());
        return S_OK;
    }
    HRESULT PlaySegment(IDirectMusicSegment* segment, DWORD, REFERENCE_TIME, IUnknown** state) override
    {
        if (state) *state = nullptr;
        auto* ours = dynamic_cast<Segment*>(segment);
        if (!ours) return E_POINTER;
        if (!synth_) return DMUS_E_NOT_INIT;
        device_->CatchUp();
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        return synth_->Play(ours->File(), ours->Plays()) ? S_OK : DMUS_E_UNSUPPORTED_STREAM;
    }
    HRESULT Stop(IDirectMusicSegment*, IUnknown*, MUSIC_TIME, DWORD) override
    {
        if (!synth_) return S_OK;
        device_->CatchUp();
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        synth_->Stop();
        return S_OK;
    }
    HRESULT SetGlobalParam(REFGUID type, void* param, DWORD size) override
    {
        if (!param) return E_POINTER;
        if (type == GUID_PerfAutoDownload) return size == sizeof(BOOL) ? S_OK : E_INVALIDARG;
        if (type == GUID_PerfMasterVolume && size == sizeof(LONG)) {
            volume_ = *static_cast<LONG*>(param);
            return ChangeSynth([&](MidiSynth& synth) { synth.SetGain(GainFromHundredthsOfDb(volume_)); });
        }
        if (type == GUID_PerfMasterTempo && size == sizeof(float)) {
            const float tempo = *static_cast<float*>(param);
            if (!(tempo >= 0.01f && tempo <= 100.0f)) return E_INVALIDARG;
            return ChangeSynth([&](MidiSynth& synth) { synth.SetTempo(tempo); });
        }
        return E_INVALIDARG;
    }
    HRESULT CloseDown() override
    {
        if (synth_) {
            std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
            device_->GetMixer().RemoveSource(synth_.get());
            synth_.reset();
        }
        device_.reset();
        return S_OK;
    }

private:
    HRESULT ChangeSynth(auto change)
    {
        if (!synth_) return S_OK;
        std::lock_guard<std::mutex> hold(device_->GetMixer().Lock());
        change(*synth_);
        return S_OK;
    }

    std::shared_ptr<AudioDevice> device_;
    std::unique_ptr<MidiSynth> synth_;
    LONG volume_ = 0;
};

}  // namespace

}  // namespace platform::audio

HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD, REFIID iid, void** object)
{
    using namespace platform::audio;
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return E_INVALIDARG;
    if (classId == CLSID_DirectMusic && iid == IID_IDirectMusic) {
        *object = static_cast<IDirectMusic*>(new DirectMusic());
    } else if (classId == CLSID_DirectMusicLoader && iid == IID_IDirectMusicLoader) {
        *object = static_cast<IDirectMusicLoader*>(new Loader());
    } else if (classId == CLSID_DirectMusicPerformance && iid == IID_IDirectMusicPerformance) {
        *object = static_cast<IDirectMusicPerformance*>(new Performance());
    } else {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return S_OK;
}
