// The owning type of a block from malloc: the file layer hands such blocks to callers that free() them, so the
// block is kept in one until it is given away.
#pragma once
#include <cstdlib>
#include <memory>

struct FreeMallocBlock {
    void operator()(void* block) const { std::free(block); }
};

// An array of T in a malloc block, freed with free().
template <typename T>
using MallocBlock = std::unique_ptr<T[], FreeMallocBlock>;
