// Blends of 5-6-5 pixels toward a source at a weight of 0 to 255: G steps by weight >> 2 of 63, R and B by
// weight >> 3 of 31. Two formulas exist and round differently: the plain one, and the four-lane one of the
// vector spans. Fills of a row run the four-lane formula on groups of four pixels and the plain one on the
// one to three pixels left at the end.
#pragma once
#include <emmintrin.h>

#include <cstdint>

std::uint16_t Blend565(std::uint16_t destination, std::uint16_t source, int weight);
// One lane of the four-lane formula.
std::uint16_t Blend565Lanes(std::uint16_t destination, std::uint16_t source, int weight);

// The whole row with the plain formula.
void BlendFill565Plain(std::uint16_t* row, int count, std::uint16_t source, int weight);
// Groups of four with the four-lane formula, the rest with the plain one: written lane by lane, and with
// SSE2; both give the same bits.
void BlendFill565GroupsPlain(std::uint16_t* row, int count, std::uint16_t source, int weight);
void BlendFill565GroupsSse2(std::uint16_t* row, int count, std::uint16_t source, int weight);
// The grouped fill through the processor's vector unit when it has one.
void BlendFill565Groups(std::uint16_t* row, int count, std::uint16_t source, int weight);

// The four-lane formula on four 16-bit lanes (the low 64 bits), each lane with its own weight's g and h.
__m128i Blend565Lanes4(__m128i destination, __m128i source, __m128i g, __m128i h);

// Rows blended toward source rows at one weight with the plain formula: pixel by pixel, and eight pixels at a
// time with SSE2 in 16-bit lanes (the products fit 16 bits and only the low 16 bits of the sums are kept, as the
// plain formula keeps them); both give the same bits.
void BlendRow565Plain(std::uint16_t* row, const std::uint16_t* source, int count, int weight);
void BlendRow565Sse2(std::uint16_t* row, const std::uint16_t* source, int count, int weight);

// Colour-keyed rows: source pixels of value 0 leave the destination, pixel by pixel and eight at a time with SSE2.
void KeyRow16Plain(std::uint16_t* row, const std::uint16_t* source, int count);
void KeyRow16Sse2(std::uint16_t* row, const std::uint16_t* source, int count);
