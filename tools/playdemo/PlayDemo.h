// The play demo's host and behaviours: a pilot that sweeps the ship across the screen and fires, rocks that fall
// and break under the shots into sparks, shots that fly along their heading, and sparks that play out once.
#pragma once
#include <array>
#include <memory>

#include "GP_Behaviour.h"
#include "GP_ObjectList.h"
#include "GP_PagedTable.h"
#include "GP_PlayHost.h"
#include "GP_SpriteManager.h"

enum DemoList : std::uint16_t {
    ShipList,
    ShotList,
    RockList,
    SparkList,
    ListCount
};

struct DemoCounts {
    long shotsFired = 0;
    long rocksBroken = 0;
};

class Pilot : public CGP_Behaviour {
public:
    explicit Pilot(DemoCounts& counts) : counts(counts) {}
    void Update(CGP_GameObject* object, float timeStep) override;

private:
    DemoCounts& counts;
};

class Rock : public CGP_Behaviour {
public:
    explicit Rock(DemoCounts& counts) : counts(counts) {}
    void Update(CGP_GameObject* object, float timeStep) override;

private:
    void Break(CGP_GameObject* rock);
    CGP_PagedTable near;
    DemoCounts& counts;
};

class Shot : public CGP_Behaviour {
public:
    void Update(CGP_GameObject* object, float timeStep) override;
};

class Spark : public CGP_Behaviour {
public:
    void Update(CGP_GameObject* object, float timeStep) override;
};

class DemoHost : public CGP_PlayHost {
public:
    explicit DemoHost(CGP_ServerSet* servers, CGP_NameServer* names);
    CGP_ServerSet* GetServers() override { return servers; }
    CGP_SpriteManager* GetSpriteManager() override { return &sprites; }
    CGP_ObjectList* GetObjectList(std::uint16_t kindIndex) override;
    CGP_Behaviour* GetBehaviour(std::uint16_t behaviourIndex) override;

    // The lists' updates, then the field, the shadows and the objects drawn.
    void Frame(float timeStep);

    CGP_ServerSet* servers;
    CGP_SpriteManager sprites;
    std::array<std::unique_ptr<CGP_ObjectList>, ListCount> lists;
    CGP_PlayField* field = nullptr;
    DemoCounts counts;

private:
    Pilot pilot{counts};
    Rock rock{counts};
    Shot shot;
    Spark spark;
};
