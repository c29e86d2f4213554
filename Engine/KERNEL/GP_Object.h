// Engine objects: everything the engine places on the screen. CGP_Object owns one data block, the persistent
// record that starts with its own size and a type code; each class level that adds fields grows the block to
// its own size and type. CGP_Element adds a picture cut into a row of frames and a position relative to its
// parent.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "GP_NameGroup.h"
#include "GP_Surface.h"

class CGP_ServerSet;

// Type codes of the engine's data blocks (the form loader's kinds are in GP_FormKinds.h).
enum GP_BlockType : std::uint32_t {
    GP_TypeControl = 2,
    GP_TypeForm = 3,
    GP_TypeGameObject = 4,
    GP_TypeObject = 6,
    GP_TypeElement = 7,
    GP_TypePlayField = 8,
};

// An element's image ID that asks for no picture at all (drawn as a white rectangle).
constexpr std::uint32_t GP_NoImage = 0xFFFFFFFE;

struct GP_ObjectBlock {
    std::uint32_t size;
    std::uint32_t type;
    float x;  // relative to the parent
    float y;
    std::int32_t width;
    std::int32_t height;
};
static_assert(sizeof(GP_ObjectBlock) == 24);

struct GP_ElementBlock : GP_ObjectBlock {
    std::uint32_t imageID;
    std::uint32_t useColorKey;  // a byte in a 4-byte field
    std::uint32_t colorKey;
    std::int32_t frameCount;
    std::uint32_t loadOption;
};
static_assert(sizeof(GP_ElementBlock) == 44);

class CGP_Object {
public:
    explicit CGP_Object(CGP_Object* parent);
    CGP_Object(const CGP_Object&) = delete;
    CGP_Object& operator=(const CGP_Object&) = delete;
    virtual ~CGP_Object() = default;

    virtual std::int32_t* GetWidth() { return &Block<GP_ObjectBlock>()->width; }
    virtual std::int32_t* GetHeight() { return &Block<GP_ObjectBlock>()->height; }
    // One record from the binary server's open resource; its stored size must be the block's, and its position
    // and size within the records' bounds (GP_RecordBounds.h).
    virtual void Read(CGP_ServerSet* servers);
    // Sets the size to this class level's and writes the whole block.
    virtual void Write(CGP_ServerSet* servers);
    // Counts the elapsed time; false stops the rest of this frame's list.
    virtual bool Update(float timeStep);

    // Positions added up through the parents.
    float GetAbsX() const;
    float GetAbsY() const;

    template <typename T>
    T* Block() const
    {
        return reinterpret_cast<T*>(block.get());
    }
    std::uint32_t BlockSize() const { return blockSize; }

    float elapsed = 0;
    CGP_Object* parent = nullptr;

protected:
    // Grows the block to the class level T, keeping what the smaller levels hold; T's own fields start zero.
    template <typename T>
    T* GrowBlock(std::uint32_t type)
    {
        auto grown = std::make_unique<std::byte[]>(sizeof(T));
        std::memcpy(grown.get(), block.get(), blockSize);
        block = std::move(grown);
        blockSize = sizeof(T);
        T* fields = Block<T>();
        fields->size = sizeof(T);
        fields->type = type;
        return fields;
    }
    // Writes the block after setting its size to this class level's.
    void WriteBlock(CGP_ServerSet* servers, std::uint32_t levelSize);

private:
    std::unique_ptr<std::byte[]> block;
    std::uint32_t blockSize = 0;
};

class CGP_Element : public CGP_Object {
public:
    explicit CGP_Element(CGP_Object* parent);

    // The object's record, with a frame count no larger than a frame grid's.
    void Read(CGP_ServerSet* servers) override;
    void Write(CGP_ServerSet* servers) override;

    // Addresses of the picture fields, so that callers may write through them too.
    virtual std::uint32_t* GetImageID() { return &Block<GP_ElementBlock>()->imageID; }
    virtual std::uint32_t* GetLoadOption() { return &Block<GP_ElementBlock>()->loadOption; }
    virtual std::int32_t* GetFrameCount() { return &Block<GP_ElementBlock>()->frameCount; }
    virtual std::uint32_t* GetUseColorKey() { return &Block<GP_ElementBlock>()->useColorKey; }
    virtual std::uint32_t* GetColorKey() { return &Block<GP_ElementBlock>()->colorKey; }
    // Takes the picture's surface again after the graphics server was reset.
    virtual void ReloadImages(CGP_ServerSet* servers);
    // The current frame at the absolute position, or a white rectangle without frames.
    virtual void Draw();
    // Loads the picture and cuts it into a row of frames of the element's size.
    virtual void CreateFrames(CGP_ServerSet* servers);

    std::int32_t frameIndex = 0;
    std::unique_ptr<CGP_SurfaceFrames> frames;
    std::uint8_t visible = 1;
    std::unique_ptr<GP_ColorKeyRecord> colorKeyRecord;

protected:
    // The element's picture with its colour key, or null (and no frames) when the image ID asks for none.
    CGP_Surface* LoadPicture(CGP_ServerSet* servers);
    // The surface of a picture with the element's own colour key handed to the graphics server first.
    CGP_Surface* LoadKeyedSurface(CGP_ServerSet* servers, std::uint32_t imageID, std::uint32_t loadOption);
    // Fills the element's rectangle of the back buffer.
    void FillOwnRect(std::uint32_t colour);
    // The display's back buffer, null without a display.
    static CGP_Surface* BackBuffer();
};
