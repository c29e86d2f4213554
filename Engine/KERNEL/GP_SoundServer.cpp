#include "GP_SoundServer.h"

#include "GP_Exception.h"
#include "GP_IOManager.h"
#include "GP_NameServer.h"
#include "GP_SoundBuffer.h"
#include "GP_SoundSettings.h"

namespace {

constexpr const char* Module = "GP_SoundServer";

}  // namespace

CGP_SoundServer::CGP_SoundServer(CGP_IOManager* io, CGP_DirectSound* device) : io(io), device(device)
{
    Resize(CountSounds());
}

CGP_SoundServer::~CGP_SoundServer() = default;

std::uint32_t CGP_SoundServer::CountSounds() const { return io && io->names ? io->names->GetCount(SoundKind) : 0; }

void CGP_SoundServer::Resize(std::uint32_t count)
{
    slots.resize(count);
    slotCount = count;
}

CGP_SoundBuffer* CGP_SoundServer::GetSound(std::uint32_t id)
{
    if (!GP_SoundActive) return nullptr;
    const CGP_NameServer* names = io ? io->names : nullptr;
    const GP_NameGroup* group = names ? names->GetGroup(GP_GroupOf(id)) : nullptr;
    const bool isSound = group && group->resourceKind == SoundKind;
    const std::int32_t index = isSound ? names->GetIndex(id) : -1;
    const bool inSlots = index >= 0 && static_cast<std::uint32_t>(index) < slotCount;
    if (inSlots && slots[index].sound) return slots[index].sound.get();
    std::FILE* stream = io ? io->OpenRead(id) : nullptr;
    if (!stream)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Попытка чтения из неоткрытого для чтения файла"), nullptr,
                                1);
    if (!inSlots) return nullptr;  // placed, but not a sound
    auto loaded = std::make_unique<CGP_SoundBuffer>(device);
    loaded->LoadWave(stream);
    CGP_SoundBuffer* sound = loaded.get();
    slots[index] = {std::move(loaded), this};
    lastStream = stream;
    if (!io->packShared) {
        std::fclose(stream);
        lastStream = nullptr;
    }
    return sound;
}

void CGP_SoundServer::Reset()
{
    Resize(0);
    Resize(CountSounds());
}

void CGP_SoundServer::Grow() { Resize(CountSounds()); }

void CGP_SoundServer::RemoveSlot(std::uint32_t index)
{
    if (index >= slots.size()) return;
    slots.erase(slots.begin() + index);
    slotCount = static_cast<std::uint32_t>(slots.size());
}
