#include "PlayWriters.h"

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "EngineWriting.h"
#include "GP_PlayField.h"
#include "GP_Scene.h"
#include "GP_SpriteDef.h"
#include "GP_Weapon.h"

namespace packtool {

namespace {

template <typename Record>
struct Option {
    const char* name;
    std::function<void(Record&, const Setting&)> set;
};

template <typename Record, typename T>
Option<Record> Field(const char* name, T Record::*member)
{
    return {name, [member](Record& record, const Setting& s) {
                if constexpr (std::is_floating_point_v<T>)
                    record.*member = FloatOf(s.token, s.line);
                else
                    record.*member = static_cast<T>(ValueOf(s.context, s.token, s.line));
            }};
}

template <typename Record>
Option<Record> Side(const char* name, platform::Rect Record::*rect, int platform::Rect::*side)
{
    return {name, [rect, side](Record& record, const Setting& s) {
                (record.*rect).*side = static_cast<int>(ValueOf(s.context, s.token, s.line));
            }};
}

// Applies "<option> <value>" pairs from tokens[from] on.
template <typename Record>
void Apply(Record& record, const std::vector<Option<Record>>& options, const std::vector<std::string>& tokens,
           std::size_t from, const WriteContext& context, int line)
{
    if ((tokens.size() - from) % 2 != 0) throw ManifestError(line, "every option needs a value");
    for (std::size_t i = from; i < tokens.size(); i += 2) {
        const Option<Record>* found = nullptr;
        for (const Option<Record>& option : options)
            if (tokens[i] == option.name) found = &option;
        if (!found) throw ManifestError(line, "no such option here: " + tokens[i]);
        found->set(record, Setting{context, tokens[i + 1], line});
    }
}

// The number after a line's keyword: which state or layer it sets, below count.
int IndexOf(const ManifestLine& field, int count)
{
    if (field.tokens.size() < 2) throw ManifestError(field.number, field.tokens[0] + " needs its number");
    const std::uint32_t index = ParseNumber(field.tokens[1], field.number);
    if (index >= static_cast<std::uint32_t>(count))
        throw ManifestError(field.number, field.tokens[0] + " is numbered 0 to " + std::to_string(count - 1));
    return static_cast<int>(index);
}

const std::vector<Option<GP_SpriteHeader>>& HeaderOptions()
{
    using H = GP_SpriteHeader;
    static const std::vector<Option<H>> options = {
        Field("behaviour", &H::behaviourID), Field("kind", &H::kind),
        Field("heading", &H::baseHeading),   Field("damage", &H::damage),
        Field("speed", &H::speed),           Field("accel", &H::acceleration),
        Field("maxspeed", &H::maxSpeed),     Field("health", &H::initialHealth),
        Field("ingrid", &H::inGrid),         Field("interval", &H::interval),
        Field("spans", &H::makeSpans),       Field("score", &H::scoreValue),
        Field("word16", &H::word16),         Field("word22", &H::word22),
    };
    return options;
}

const std::vector<Option<GP_SpriteState>>& StateOptions()
{
    using S = GP_SpriteState;
    using R = platform::Rect;
    static const std::vector<Option<S>> options = {
        Side("left", &S::frameRect, &R::left),
        Side("top", &S::frameRect, &R::top),
        Side("right", &S::frameRect, &R::right),
        Side("bottom", &S::frameRect, &R::bottom),
        Side("cleft", &S::collisionRect, &R::left),
        Side("ctop", &S::collisionRect, &R::top),
        Side("cright", &S::collisionRect, &R::right),
        Side("cbottom", &S::collisionRect, &R::bottom),
        Field("picture", &S::pictureID),
        Field("usekey", &S::useColorKey),
        Field("key", &S::colorKey),
        Field("frames", &S::frameCount),
        Field("value", &S::stateValue),
        Field("rate", &S::animRate),
        Field("loop", &S::loop),
        Field("param", &S::stateParam),
        Field("flag", &S::stateFlag),
        Field("columns", &S::columns),
        Field("rows", &S::rows),
        Field("option", &S::loadOption),
        Field("sound", &S::soundID),
        Field("soundloops", &S::soundLoops),
        Field("stopondeath", &S::stopSoundOnDeath),
        Field("follows", &S::soundFollows),
    };
    return options;
}

const std::vector<Option<GP_WeaponSlot>>& SlotOptions()
{
    using W = GP_WeaponSlot;
    static const std::vector<Option<W>> options = {
        Field("x", &W::muzzleX),
        Field("y", &W::muzzleY),
        Field("pattern", &W::pattern),
        Field("both", &W::bothBarrels),
        Field("spacing", &W::barrelSpacing),
        Field("id", &W::weaponID),
        Field("distance", &W::muzzleDistance),
    };
    return options;
}

const std::vector<Option<GP_Attachment>>& AttachmentOptions()
{
    using A = GP_Attachment;
    static const std::vector<Option<A>> options = {Field("id", &A::spriteID), Field("x", &A::x), Field("y", &A::y)};
    return options;
}

const std::vector<Option<GP_SpawnEntry>>& SpawnOptions()
{
    using E = GP_SpawnEntry;
    static const std::vector<Option<E>> options = {
        Field("id", &E::spriteID),
        Field("interval", &E::intervalBase),
        Field("intervalspread", &E::intervalSpread),
        Field("intervalrandom", &E::intervalRandom),
        Field("x", &E::xBase),
        Field("y", &E::yBase),
        Field("xspread", &E::xSpread),
        Field("yspread", &E::ySpread),
        Field("posrandom", &E::positionRandom),
        Field("heading", &E::headingOffset),
        Field("headingspread", &E::headingSpread),
        Field("headingrandom", &E::headingRandom),
        Field("speed", &E::speedBase),
        Field("speedspread", &E::speedSpread),
        Field("speedrandom", &E::speedRandom),
        Field("delay", &E::startDelayBase),
        Field("delayspread", &E::startDelaySpread),
        Field("delayrandom", &E::startDelayRandom),
        Field("count", &E::countBase),
        Field("countspread", &E::countSpread),
        Field("countrandom", &E::countRandom),
        Field("child", &E::asChild),
    };
    return options;
}

const std::vector<Option<GP_WeaponRecord>>& WeaponOptions()
{
    using W = GP_WeaponRecord;
    static const std::vector<Option<W>> options = {
        Field("flash", &W::flashID),          Field("projectile", &W::projectileID), Field("delay", &W::delay),
        Field("random", &W::randomDelay),     Field("spread", &W::delaySpread),      Field("flashx", &W::flashX),
        Field("flashy", &W::flashY),          Field("x", &W::projectileX),           Field("y", &W::projectileY),
        Field("attached", &W::flashAttached),
    };
    return options;
}

const std::vector<Option<GP_SceneParameters>>& SceneOptions()
{
    using P = GP_SceneParameters;
    static const std::vector<Option<P>> options = {
        Field("speed", &P::speed),   Field("fire", &P::enemyFirePeriod), Field("word12", &P::word12),
        Field("word16", &P::word16), Field("word24", &P::word24),
    };
    return options;
}

const std::vector<Option<GP_LayerRecord>>& LayerOptions()
{
    using L = GP_LayerRecord;
    static const std::vector<Option<L>> options = {
        Field("picture", &L::pictureID),   Field("usekey", &L::useColorKey), Field("key", &L::colorKey),
        Field("vertical", &L::vertical),   Field("speed", &L::speed),        Field("wrapw", &L::wrapWidth),
        Field("wraph", &L::wrapHeight),    Field("x", &L::initialX),         Field("y", &L::initialY),
        Field("shadow", &L::shadowSource),
    };
    return options;
}

const std::vector<Option<GP_GameObjectBlock>>& ObjectOptions()
{
    using O = GP_GameObjectBlock;
    static const std::vector<Option<O>> options = {
        Field("sprite", &O::spriteID),
        Field<O, float>("x", &O::x),
        Field<O, float>("y", &O::y),
        Field("delay", &O::startDelay),
        Field("spread", &O::startDelaySpread),
        Field("heading", &O::heading),
        Field("vx", &O::vx),
        Field("vy", &O::vy),
        Field("vz", &O::vz),
        Field("depth", &O::depth),
        Field("pitch", &O::pitch),
        Field("value32", &O::value32),
        Field("value60", &O::value60),
        Field("value68", &O::value68),
    };
    return options;
}

template <typename Record>
void AddListed(std::vector<Record>& list, const std::vector<Option<Record>>& options, const ManifestLine& field,
               const WriteContext& context)
{
    if (list.size() >= 0xFFFF) throw ManifestError(field.number, "a list holds at most 65535 entries");
    list.emplace_back();
    Apply(list.back(), options, field.tokens, 1, context, field.number);
}

void AddSpriteLine(GP_SpriteRecord& record, const ManifestLine& field, const WriteContext& context)
{
    const std::string& keyword = field.tokens[0];
    if (keyword == "state") {
        const int state = IndexOf(field, GP_SpriteRecord::StateCount);
        Apply(record.states[state], StateOptions(), field.tokens, 2, context, field.number);
    } else if (keyword == "weapon") {
        AddListed(record.weapons, SlotOptions(), field, context);
    } else if (keyword == "attach") {
        AddListed(record.attachments, AttachmentOptions(), field, context);
    } else if (keyword == "spawn") {
        AddListed(record.spawns1, SpawnOptions(), field, context);
    } else if (keyword == "spawn2") {
        AddListed(record.spawns2, SpawnOptions(), field, context);
    } else {
        throw ManifestError(field.number, "a sprite's lines are state, weapon, attach, spawn and spawn2");
    }
}

void AddSceneLine(GP_SceneRecord& record, CGP_PlayField& field, const ManifestLine& line, const WriteContext& context)
{
    const std::string& keyword = line.tokens[0];
    if (keyword == "layer") {
        const int layer = IndexOf(line, CGP_PlayField::LayerCount);
        Apply(field.Fields()->layers[layer], LayerOptions(), line.tokens, 2, context, line.number);
    } else if (keyword == "object") {
        GP_GameObjectBlock block{};
        block.size = sizeof block;
        block.type = GP_TypeGameObject;
        block.startDelaySpread = 1;
        Apply(block, ObjectOptions(), line.tokens, 1, context, line.number);
        if (record.objects.size() >= 0xFFFF) throw ManifestError(line.number, "a scene holds at most 65535 objects");
        record.objects.push_back(block);
    } else if (keyword == "uses") {
        for (std::size_t i = 1; i < line.tokens.size(); ++i)
            record.spriteIDs.push_back(ValueOf(context, line.tokens[i], line.number));
        if (record.spriteIDs.size() > 0xFFFF) throw ManifestError(line.number, "a scene uses at most 65535 sprites");
    } else {
        throw ManifestError(line.number, "a scene's lines are layer, object and uses");
    }
}

}  // namespace

void WriteSpriteResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out)
{
    CGP_SpriteDef def(nullptr);
    Apply(def.record.header, HeaderOptions(), entry.args, 0, context, entry.line);
    for (const ManifestLine& field : entry.fields) AddSpriteLine(def.record, field, context);
    WriteThroughEngine(context, out, [&](CGP_ServerSet& servers) { def.Save(&servers); });
}

void WriteWeaponResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out)
{
    if (!entry.fields.empty()) throw ManifestError(entry.fields.front().number, "a weapon takes no indented lines");
    CGP_Weapon weapon;
    Apply(weapon.record, WeaponOptions(), entry.args, 0, context, entry.line);
    WriteThroughEngine(context, out, [&](CGP_ServerSet& servers) { weapon.Write(&servers); });
}

void WriteSceneResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out)
{
    GP_SceneRecord record;
    Apply(record.parameters, SceneOptions(), entry.args, 0, context, entry.line);
    CGP_PlayField field(nullptr, 10, 10);
    for (const ManifestLine& line : entry.fields) AddSceneLine(record, field, line, context);
    WriteThroughEngine(context, out, [&](CGP_ServerSet& servers) { record.Write(&servers, field); });
}

void WriteLevelsResource(const ManifestEntry& entry, const WriteContext& context, std::FILE* out)
{
    if (!entry.args.empty()) throw ManifestError(entry.line, "the ID groups of the levels go on indented lines");
    std::vector<std::vector<std::uint32_t>> groups;
    std::vector<std::uint32_t> drawOrder;
    bool drawGiven = false;
    for (const ManifestLine& field : entry.fields) {
        const bool draw = field.tokens[0] == "draw";
        if (!draw && field.tokens[0] != "group")
            throw ManifestError(field.number, "write group <id>... or draw <id>...");
        if (draw && drawGiven) throw ManifestError(field.number, "the drawing order was given already");
        std::vector<std::uint32_t>& ids = draw ? drawOrder : groups.emplace_back();
        for (std::size_t i = 1; i < field.tokens.size(); ++i)
            ids.push_back(ValueOf(context, field.tokens[i], field.number));
        if (ids.size() > 0xFFFF) throw ManifestError(field.number, "a group holds at most 65535 IDs");
        drawGiven = drawGiven || draw;
    }
    WriteThroughEngine(context, out, [&](CGP_ServerSet& servers) {
        CGP_BinaryServer& binary = *servers.binary;
        binary.Write(static_cast<std::uint32_t>(groups.size()));
        for (const auto& ids : groups) {
            binary.Write(static_cast<std::uint32_t>(ids.size()));
            for (std::uint32_t id : ids) binary.Write(id);
        }
        binary.Write(static_cast<std::uint32_t>(drawOrder.size()));
        for (std::uint32_t id : drawOrder) binary.Write(id);
    });
}

}  // namespace packtool
