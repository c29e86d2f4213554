// The font cache: one font per name of kind 3, loaded from its resource on first use.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "GP_Font.h"

class CGP_NameServer;
class CGP_ServerSet;

class CGP_FontCache {
public:
    // The main frame's name server and server set; one empty slot per font name.
    CGP_FontCache(CGP_NameServer* names, CGP_ServerSet* servers);
    CGP_FontCache(const CGP_FontCache&) = delete;
    CGP_FontCache& operator=(const CGP_FontCache&) = delete;
    virtual ~CGP_FontCache() = default;

    static constexpr std::uint32_t FontKind = 3;

    // The font of the ID, read and given its glyph surface on the first request; null for -1 and for IDs that
    // name no font.
    CGP_Font* GetFont(std::uint32_t id);
    // Forgets every font; one empty slot per font name as the name table now stands.
    void Reset();
    // The glyph surfaces again after a reset of the graphics server.
    void LoadImages(CGP_ServerSet* servers);

    CGP_NameServer* names = nullptr;
    CGP_ServerSet* servers = nullptr;
    std::vector<std::unique_ptr<CGP_Font>> fonts;
};
