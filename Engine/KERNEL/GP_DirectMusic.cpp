#include "GP_DirectMusic.h"

#include "GP_Log.h"

void GP_ToWide(const char* text, WCHAR* out, int capacity)
{
    int i = 0;
    for (; text && text[i] && i + 1 < capacity; ++i) out[i] = static_cast<WCHAR>(static_cast<unsigned char>(text[i]));
    out[i] = 0;
}

CGP_DirectMusic::~CGP_DirectMusic() { Release(); }

bool CGP_DirectMusic::Create(LPDIRECTSOUND directSound)
{
    Release();
    if (FAILED(platform::Receive(music, [](IDirectMusic** out) {
            return CoCreateInstance(CLSID_DirectMusic, nullptr, CLSCTX_INPROC, IID_IDirectMusic,
                                    reinterpret_cast<void**>(out));
        }))) {
        GP_LogWrite("Error create DirectMusic interface\n");
        return false;
    }
    if (FAILED(music->SetDirectSound(directSound, nullptr))) {
        GP_LogWrite("Error DirectMusic::SetDirectSound\n");
        return false;
    }
    if (FAILED(platform::Receive(loader, [](IDirectMusicLoader** out) {
            return CoCreateInstance(CLSID_DirectMusicLoader, nullptr, CLSCTX_INPROC, IID_IDirectMusicLoader,
                                    reinterpret_cast<void**>(out));
        }))) {
        GP_LogWrite("Error create DirectMusic Loader\n");
        return false;
    }
    return true;
}

void CGP_DirectMusic::SetSearchDirectory(const char* path)
{
    GP_ToWide(path, searchDirectory, MAX_PATH);
    if (!loader || FAILED(loader->SetSearchDirectory(GUID_DirectMusicAllTypes, searchDirectory, TRUE)))
        GP_LogWrite("Error set search directory\n");
}

void CGP_DirectMusic::Release()
{
    if (loader) loader->ClearCache(GUID_DirectMusicAllTypes);
    loader.reset();
    if (music) music->Activate(FALSE);
    music.reset();
}
