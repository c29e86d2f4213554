#include "GP_Object.h"

#include "GP_BinaryServer.h"
#include "GP_Display.h"
#include "GP_GraphServer.h"
#include "GP_RecordBounds.h"
#include "GP_ServerSet.h"

CGP_Object::CGP_Object(CGP_Object* parent)
    : parent(parent), block(std::make_unique<std::byte[]>(sizeof(GP_ObjectBlock))), blockSize(sizeof(GP_ObjectBlock))
{
    GP_ObjectBlock* fields = Block<GP_ObjectBlock>();
    fields->size = sizeof(GP_ObjectBlock);
    fields->type = GP_TypeObject;
}

void CGP_Object::Read(CGP_ServerSet* servers)
{
    servers->binary->ReadData(block.get(), blockSize);
    GP_CheckObjectBlock(*servers->binary, *Block<GP_ObjectBlock>());
}

void CGP_Object::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_ObjectBlock)); }

void CGP_Object::WriteBlock(CGP_ServerSet* servers, std::uint32_t levelSize)
{
    Block<GP_ObjectBlock>()->size = levelSize;
    servers->binary->WriteData(block.get());
}

bool CGP_Object::Update(float timeStep)
{
    elapsed += timeStep;
    return true;
}

float CGP_Object::GetAbsX() const { return Block<GP_ObjectBlock>()->x + (parent ? parent->GetAbsX() : 0.0f); }

float CGP_Object::GetAbsY() const { return Block<GP_ObjectBlock>()->y + (parent ? parent->GetAbsY() : 0.0f); }

CGP_Element::CGP_Element(CGP_Object* parent) : CGP_Object(parent)
{
    GP_ElementBlock* fields = GrowBlock<GP_ElementBlock>(GP_TypeElement);
    fields->imageID = GP_NoID;
    fields->frameCount = 1;
    fields->loadOption = GP_NoID;
}

void CGP_Element::Read(CGP_ServerSet* servers)
{
    CGP_Object::Read(servers);
    GP_CheckFrameCount(*servers->binary, *GetFrameCount(), "frame count");
}

void CGP_Element::Write(CGP_ServerSet* servers) { WriteBlock(servers, sizeof(GP_ElementBlock)); }

CGP_Surface* CGP_Element::LoadKeyedSurface(CGP_ServerSet* servers, std::uint32_t imageID, std::uint32_t loadOption)
{
    CGP_GraphServer* graphics = servers->graphics.get();
    graphics->pendingColorKey = colorKeyRecord.get();
    CGP_Surface* surface = graphics->LoadSurface(imageID, loadOption, 0, nullptr);
    graphics->pendingColorKey = nullptr;
    return surface;
}

static void TakeColorKey(CGP_Element& element, CGP_Surface* surface)
{
    surface->useColorKey = static_cast<std::uint8_t>(*element.GetUseColorKey());
    surface->SetSourceColorKey(*element.GetColorKey());
}

CGP_Surface* CGP_Element::LoadPicture(CGP_ServerSet* servers)
{
    const std::uint32_t imageID = *GetImageID();
    if (imageID == GP_NoID || imageID == GP_NoImage) {
        frames.reset();
        return nullptr;
    }
    colorKeyRecord = std::make_unique<GP_ColorKeyRecord>(
        GP_ColorKeyRecord{static_cast<std::uint8_t>(*GetUseColorKey()), *GetColorKey()});
    CGP_Surface* surface = LoadKeyedSurface(servers, imageID, *GetLoadOption());
    TakeColorKey(*this, surface);
    return surface;
}

void CGP_Element::CreateFrames(CGP_ServerSet* servers)
{
    CGP_Surface* surface = LoadPicture(servers);
    if (!surface) return;
    frames = std::make_unique<CGP_SurfaceFrames>();
    frames->AddGrid(surface, 0, 0, *GetWidth(), *GetHeight(), *GetFrameCount(), 1);
}

void CGP_Element::ReloadImages(CGP_ServerSet* servers)
{
    if (!frames) return;
    CGP_Surface* surface = LoadKeyedSurface(servers, *GetImageID(), *GetLoadOption());
    for (int i = 0; i < frames->Count(); ++i) frames->frames[i].surface = surface;
    TakeColorKey(*this, surface);
}

CGP_Surface* CGP_Element::BackBuffer() { return GP_DisplayPtr ? GP_DisplayPtr->backSurface.get() : nullptr; }

void CGP_Element::FillOwnRect(std::uint32_t colour)
{
    CGP_Surface* back = BackBuffer();
    if (!back) return;
    const int left = static_cast<int>(GetAbsX());
    const int top = static_cast<int>(GetAbsY());
    back->FillRect(left, top, left + *GetWidth(), top + *GetHeight(), colour);
}

void CGP_Element::Draw()
{
    if (!visible) return;
    if (!frames) {
        FillOwnRect(0xFFFFFFFF);
        return;
    }
    CGP_Surface* back = BackBuffer();
    if (back) frames->Draw(back, static_cast<int>(GetAbsX()), static_cast<int>(GetAbsY()), frameIndex);
}
