#include "GP_FontCache.h"

#include "GP_BinaryServer.h"
#include "GP_Exception.h"
#include "GP_NameGroup.h"
#include "GP_NameServer.h"
#include "GP_ServerSet.h"

CGP_FontCache::CGP_FontCache(CGP_NameServer* names, CGP_ServerSet* servers) : names(names), servers(servers)
{
    Reset();
}

void CGP_FontCache::Reset()
{
    fonts.clear();
    fonts.resize(names ? names->GetCount(FontKind) : 0);
}

CGP_Font* CGP_FontCache::GetFont(std::uint32_t id)
{
    if (id == 0xFFFFFFFF || !names) return nullptr;
    // Another kind's dense index would land on a font's slot.
    const GP_NameGroup* group = names->GetGroup(GP_GroupOf(id));
    if (!group || group->resourceKind != FontKind) return nullptr;
    const std::int32_t slot = names->GetIndex(id);
    if (slot < 0 || static_cast<std::size_t>(slot) >= fonts.size()) return nullptr;
    std::unique_ptr<CGP_Font>& font = fonts[slot];
    if (font) return font.get();
    auto loaded = std::make_unique<CGP_Font>();
    if (!servers->binary->OpenRead(id)) {
        const char* name = names->GetName(GP_IndexOf(id), GP_GroupOf(id));
        throw CGP_FatalExeption("GP_FontCache", __LINE__, FormatNew("The font %s cannot be opened", name ? name : "?"),
                                nullptr, 1);
    }
    loaded->Read(servers);
    loaded->CreateSurface(servers);
    font = std::move(loaded);
    return font.get();
}

void CGP_FontCache::LoadImages(CGP_ServerSet* servers)
{
    for (auto& font : fonts)
        if (font) font->ReloadSurface(servers);
}
