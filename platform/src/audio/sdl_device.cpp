#include "audio/sdl_device.h"

#include <SDL.h>

#include <string>

#include "platform/debug_output.h"

namespace platform::audio {

namespace {

constexpr int WantedRate = 44100;
constexpr Uint16 DeviceFrames = 512;  // about 12 ms a buffer at 44.1 kHz

class SdlDevice : public AudioDevice {
public:
    bool Open()
    {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Fail("SDL audio init");
        subsystem_ = true;
        SDL_AudioSpec want{};
        want.freq = WantedRate;
        want.format = AUDIO_S16SYS;
        want.channels = 2;
        want.samples = DeviceFrames;
        want.callback = &SdlDevice::Callback;
        want.userdata = this;
        SDL_AudioSpec have{};
        device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
        if (device_ == 0) return Fail("SDL_OpenAudioDevice");
        mixer_ = std::make_unique<Mixer>(static_cast<unsigned>(have.freq));
        SDL_PauseAudioDevice(device_, 0);
        return true;
    }

    ~SdlDevice() override
    {
        if (device_ != 0) SDL_CloseAudioDevice(device_);
        if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

private:
    static void Callback(void* self, Uint8* stream, int bytes)
    {
        auto* device = static_cast<SdlDevice*>(self);
        device->mixer_->Render(reinterpret_cast<std::int16_t*>(stream), static_cast<std::size_t>(bytes) / 4);
    }

    bool Fail(const char* step)
    {
        OutputDebugStringA((std::string("Sound device: ") + step + " failed: " + SDL_GetError() + "\n").c_str());
        return false;
    }

    SDL_AudioDeviceID device_ = 0;
    bool subsystem_ = false;
};

}  // namespace

std::shared_ptr<AudioDevice> OpenSdlDevice()
{
    auto device = std::make_shared<SdlDevice>();
    if (!device->Open()) return nullptr;
    return device;
}

}  // namespace platform::audio
