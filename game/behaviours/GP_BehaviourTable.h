// The main frame's behaviour table: one instance per behaviour ID 0x20000 to 0x20031, looked up by the ID's
// low 16 bits, and the default instance of the plain behaviour whose states all do nothing.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "GP_Behaviour.h"

class CGP_BehaviourHost;

class CGP_BehaviourTable {
public:
    static constexpr std::uint32_t FirstID = 0x20000;
    static constexpr std::uint16_t Count = 0x32;

    // Deletes every instance, the default one included, then makes a new instance for each ID.
    void Create(CGP_BehaviourHost* owner);
    // The instance of the behaviour ID's low 16 bits; null outside the table or for an ID without class.
    CGP_Behaviour* Get(std::uint16_t index) const;
    CGP_Behaviour* Default() const { return defaultBehaviour.get(); }

private:
    std::vector<std::unique_ptr<CGP_Behaviour>> entries;
    std::unique_ptr<CGP_Behaviour> defaultBehaviour;
};

// A new instance of the class of the behaviour ID's low 16 bits; null for an index without class.
std::unique_ptr<CGP_Behaviour> GP_MakeBehaviour(std::uint16_t index, CGP_BehaviourHost* owner);
