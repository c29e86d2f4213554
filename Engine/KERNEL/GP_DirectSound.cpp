#include "GP_DirectSound.h"

#include "GP_Log.h"
#include "GP_SoundSettings.h"

CGP_DirectSound::CGP_DirectSound(HWND window) : window(window) {}

CGP_DirectSound::~CGP_DirectSound() { Release(); }

bool CGP_DirectSound::Create()
{
    Release();
    const auto createDevice = [](LPDIRECTSOUND* out) { return DirectSoundCreate(nullptr, out, nullptr); };
    if (FAILED(platform::Receive(directSound, createDevice))) {
        GP_LogWrite("Error DirectSound create\n");
        return false;
    }
    directSound->SetCooperativeLevel(window, DSSCL_NORMAL);
    DSBUFFERDESC desc{sizeof(DSBUFFERDESC), DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRL3D, 0, 0, nullptr};
    const auto createPrimary = [&](LPDIRECTSOUNDBUFFER* out) {
        return directSound->CreateSoundBuffer(&desc, out, nullptr);
    };
    bool with3D = true;
    if (FAILED(platform::Receive(primary, createPrimary))) {
        GP_LogWrite("Error create primary sound surface with DSBCAPS_CTRL3D \n");
        with3D = false;
        desc.dwFlags = DSBCAPS_PRIMARYBUFFER | DSBCAPS_CTRLVOLUME;
        if (FAILED(platform::Receive(primary, createPrimary))) {
            GP_LogWrite("Error create primary sound surface \n");
            Release();
            return false;
        }
    }
    if (with3D) {
        GP_Sound3DAvailable = 1;
        platform::Receive(listener, [&](LPDIRECTSOUND3DLISTENER* out) {
            return primary->QueryInterface(IID_IDirectSound3DListener, reinterpret_cast<void**>(out));
        });
    }
    return true;
}

void CGP_DirectSound::Release()
{
    listener.reset();
    primary.reset();
    directSound.reset();
}

void CGP_DirectSound::SetListenerPosition(float x, float y) { SetPosition(x, -y, 0.0f); }

void CGP_DirectSound::SetPosition(float x, float y, float z)
{
    if (listener) listener->SetPosition(x, y, z, applyMode);
}

void CGP_DirectSound::GetPosition(D3DVECTOR* position)
{
    if (listener) listener->GetPosition(position);
}

void CGP_DirectSound::SetDistanceFactor(float factor)
{
    if (listener) listener->SetDistanceFactor(factor, applyMode);
}

float CGP_DirectSound::GetDistanceFactor()
{
    float factor = 0.0f;
    if (listener) listener->GetDistanceFactor(&factor);
    return factor;
}

void CGP_DirectSound::SetDopplerFactor(float factor)
{
    if (listener) listener->SetDopplerFactor(factor, applyMode);
}

float CGP_DirectSound::GetDopplerFactor()
{
    float factor = 0.0f;
    if (listener) listener->GetDopplerFactor(&factor);
    return factor;
}

void CGP_DirectSound::SetRolloffFactor(float factor)
{
    if (listener) listener->SetRolloffFactor(factor, applyMode);
}

float CGP_DirectSound::GetRolloffFactor()
{
    float factor = 0.0f;
    if (listener) listener->GetRolloffFactor(&factor);
    return factor;
}

void CGP_DirectSound::SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ)
{
    if (listener) listener->SetOrientation(frontX, frontY, frontZ, topX, topY, topZ, applyMode);
}

void CGP_DirectSound::GetOrientation(D3DVECTOR* front, D3DVECTOR* top)
{
    if (listener) listener->GetOrientation(front, top);
}

void CGP_DirectSound::CommitDeferredSettings()
{
    if (listener) listener->CommitDeferredSettings();
}

void CGP_DirectSound::PlayPrimary(bool looping)
{
    if (primary) primary->Play(0, 0, looping ? DSBPLAY_LOOPING : 0);
}

void CGP_DirectSound::StopPrimary()
{
    if (primary) primary->Stop();
}
