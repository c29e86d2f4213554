#include "GP_GraphServer.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "GP_Display.h"
#include "GP_Exception.h"
#include "GP_IOManager.h"
#include "GP_Log.h"
#include "GP_NameServer.h"
#include "GP_Picture.h"
#include "GP_ServerSet.h"
#include "platform/wingdi.h"

GP_ModeLostHandler GP_OnDisplayModeLost = nullptr;

namespace {

constexpr const char* Module = "GP_GraphServer";
constexpr std::uint32_t NoMask = 0xFFFFFFFF;
constexpr std::uint16_t MaskKept = 0xFFFF;
constexpr size_t MaskChunk = 65536;

[[noreturn]] void ThrowNotOpen(int line)
{
    throw CGP_FatalExeption(Module, line, FormatNew("Попытка чтения из неоткрытого для чтения файла"), nullptr, 1);
}

[[noreturn]] void ThrowFormat(int line, const char* name)
{
    throw CGP_FatalExeption(Module, line, FormatNew("Ошибочный формат файла %s", name ? name : ""), nullptr, 1);
}

template <typename T>
bool ReadValue(std::FILE* file, T& value)
{
    return std::fread(&value, sizeof(T), 1, file) == 1;
}

}  // namespace

CGP_GraphServer::CGP_GraphServer(CGP_ServerSet* servers) : servers(servers) { AllocateSlots(); }

CGP_GraphServer::~CGP_GraphServer()
{
    CloseResource();
    slots.clear();
}

void CGP_GraphServer::AllocateSlots()
{
    const CGP_NameServer* names = servers && servers->io ? servers->io->names : nullptr;
    slotCount = names ? static_cast<std::int32_t>(names->GetCount(PictureKind)) : 0;
    slots = std::vector<GP_GraphSlot>(static_cast<std::size_t>(std::max(slotCount, 0)));
}

void CGP_GraphServer::FreeSlot(GP_GraphSlot& slot)
{
    slot.colorKey.reset();
    slot.surface.reset();
}

const char* CGP_GraphServer::NameOf(std::uint32_t id) const
{
    const CGP_NameServer* names = servers && servers->io ? servers->io->names : nullptr;
    return names ? names->GetName(GP_IndexOf(id), GP_GroupOf(id)) : nullptr;
}

GP_GraphSlot& CGP_GraphServer::SlotOf(std::uint32_t id)
{
    const CGP_NameServer* names = servers && servers->io ? servers->io->names : nullptr;
    const GP_NameGroup* group = names ? names->GetGroup(GP_GroupOf(id)) : nullptr;
    const std::int32_t index = names ? names->GetIndex(id) : -1;
    if (!group || group->resourceKind != PictureKind || index < 0 || index >= slotCount) ThrowNotOpen(__LINE__);
    return slots[index];
}

std::FILE* CGP_GraphServer::OpenResource(std::uint32_t id)
{
    CloseResource();
    CGP_IOManager* io = servers ? servers->io : nullptr;
    std::FILE* file = io ? io->OpenRead(id) : nullptr;
    if (!file) ThrowNotOpen(__LINE__);
    fileInWork = file;
    return file;
}

void CGP_GraphServer::CloseResource()
{
    if (fileInWork && !(servers && servers->io && servers->io->packShared)) std::fclose(fileInWork);
    fileInWork = nullptr;
}

std::unique_ptr<CGP_Picture> CGP_GraphServer::ReadPicture(std::uint32_t id)
{
    std::FILE* file = OpenResource(id);
    const char* name = NameOf(id);
    const char* dot = name ? std::strrchr(name, '.') : nullptr;
    extension = dot ? dot + 1 : "";
    if (!name || extension.empty()) ThrowFormat(__LINE__, name);
    auto picture = std::make_unique<CGP_Picture>();
    if (!picture->Load(file, GP_PictureType(extension.c_str()))) ThrowFormat(__LINE__, name);
    CloseResource();
    return picture;
}

void CGP_GraphServer::CopyPicture(CGP_Picture& picture, CGP_Surface* surface)
{
    if (surface->GetDC() != GP_SurfaceOk) return;
    HBITMAP bitmap = picture.CreateBitmap();
    HDC memory = CreateCompatibleDC(surface->dc);
    HGDIOBJ previous = bitmap ? SelectObject(memory, bitmap) : nullptr;
    if (previous) BitBlt(surface->dc, 0, 0, picture.GetWidth(), picture.GetHeight(), memory, 0, 0, SRCCOPY);
    if (previous && previous != bitmap) SelectObject(memory, previous);
    DeleteDC(memory);
    if (bitmap) DeleteObject(bitmap);
    surface->ReleaseDC();
}

CGP_Surface* CGP_GraphServer::LoadSurface(std::uint32_t id, std::uint32_t maskId, std::uint8_t systemMemory,
                                          std::uint8_t* alreadyLoaded)
{
    GP_GraphSlot& slot = SlotOf(id);
    if (slot.surface) {
        if (alreadyLoaded) *alreadyLoaded = 1;
        return slot.surface.get();
    }
    if (alreadyLoaded) *alreadyLoaded = 0;
    std::unique_ptr<CGP_Picture> picture = ReadPicture(id);

    auto surface = std::make_unique<CGP_Surface>();
    const std::uint16_t kind = systemMemory ? GP_SurfaceSystem : GP_SurfaceVideoOrSystem;
    if (surface->Create(GP_DisplayPtr, kind, picture->GetWidth(), picture->GetHeight()) != GP_SurfaceOk)
        throw CGP_FatalExeption(Module, __LINE__, FormatNew("Невозможно создать поверхность %s", NameOf(id)), nullptr,
                                1);
    if (!systemMemory && (surface->kind & 0xFF) == GP_SurfaceSystem) {
        std::unique_ptr<char[]> note(FormatNew("Surface %s loaded in system memory \n", NameOf(id)));
        GP_LogWrite(note.get());
    }
    CopyPicture(*picture, surface.get());
    picture.reset();
    if (maskId != NoMask) ApplyMask(surface.get(), maskId);

    slot.id = id;
    slot.maskId = maskId;
    slot.surface = std::move(surface);
    slot.systemMemory = systemMemory;
    if (!pendingColorKey)
        slot.colorKey.reset();
    else if (!slot.colorKey)
        slot.colorKey = std::make_unique<GP_ColorKeyRecord>(*pendingColorKey);
    slot.server = this;
    if (slot.colorKey) slot.surface->SetRestoreHandler(&CGP_GraphServer::RestoreSurface, &slot, false);
    return slot.surface.get();
}

void CGP_GraphServer::FreeSurfaces(bool all)
{
    for (int i = 0; i < slotCount; ++i)
        if (slots[i].surface && (all || !slots[i].systemMemory)) FreeSlot(slots[i]);
}

void CGP_GraphServer::Reset()
{
    FreeSurfaces(true);
    AllocateSlots();
}

void CGP_GraphServer::RemoveSlot(int index)
{
    if (index < 0 || index >= slotCount) return;
    slots.erase(slots.begin() + index);
    --slotCount;
    PointHandlersAtSlots(index);
}

// Restore handlers hold their slot's address; slots that moved tell their surfaces where they are now.
void CGP_GraphServer::PointHandlersAtSlots(int from)
{
    for (int i = from; i < slotCount; ++i)
        if (slots[i].surface && slots[i].colorKey)
            slots[i].surface->SetRestoreHandler(&CGP_GraphServer::RestoreSurface, &slots[i], false);
}

void CGP_GraphServer::RestoreSurface(CGP_Surface* surface, void* data)
{
    auto* slot = static_cast<GP_GraphSlot*>(data);
    if (!slot || slot->systemMemory || !slot->server) return;
    CGP_Display* display = surface->display;
    if (display && !display->IsModeValid()) {
        if (!(GP_OnDisplayModeLost && GP_OnDisplayModeLost())) display->surfacesLost = 1;
        return;
    }
    CGP_GraphServer& server = *slot->server;
    std::unique_ptr<CGP_Picture> picture = server.ReadPicture(slot->id);
    CopyPicture(*picture, surface);
    picture.reset();
    if (slot->maskId != NoMask) server.ApplyMask(surface, slot->maskId);
    if (slot->colorKey) {
        surface->useColorKey = slot->colorKey->useColorKey;
        surface->SetSourceColorKey(slot->colorKey->colorKey);
    }
}

void CGP_GraphServer::ApplyMask(CGP_Surface* surface, std::uint32_t maskId)
{
    std::FILE* file = OpenResource(maskId);
    std::uint32_t count = 0;
    std::uint16_t unused1 = 0, unused2 = 0;
    if (!ReadValue(file, count) || !ReadValue(file, unused1) || !ReadValue(file, unused2))
        ThrowFormat(__LINE__, NameOf(maskId));
    // Read as far as the file goes, so that a count from a damaged header cannot ask for more memory than exists.
    std::vector<std::uint8_t> runs;
    while (runs.size() < count) {
        const size_t part = std::min<size_t>(MaskChunk, count - runs.size());
        const size_t had = runs.size();
        runs.resize(had + part);
        if (std::fread(runs.data() + had, 1, part, file) != part) ThrowFormat(__LINE__, NameOf(maskId));
    }
    CloseResource();

    CGP_Surface stencil;
    if (stencil.Create(surface->display, GP_SurfaceVideoOrSystem, surface->width, surface->height) != GP_SurfaceOk)
        return;
    stencil.Clear(0);
    if (stencil.Lock() != GP_SurfaceOk) return;
    const size_t total = static_cast<size_t>(surface->width) * surface->height;
    size_t at = 0;
    for (std::uint8_t run : runs) {
        const std::uint16_t value = (run & 0x80) ? MaskKept : 0;
        // Runs go on across row ends and stop at the last pixel.
        for (int n = run & 0x7F; n > 0 && at < total; --n, ++at)
            stencil.PixelRow(static_cast<int>(at / surface->width))[at % surface->width] = value;
    }
    stencil.Unlock();
    stencil.SetSourceColorKey(MaskKept);
    stencil.useColorKey = 1;
    stencil.BltFast(surface, 0, 0, 0, 0, surface->width, surface->height);
}
