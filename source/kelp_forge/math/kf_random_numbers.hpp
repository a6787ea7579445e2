#ifndef KELP_FORGE_MATH_RANDOM_NUMBERS_HPP
#define KELP_FORGE_MATH_RANDOM_NUMBERS_HPP

// Cheap, repeatable random numbers for effects and sound variation. Each thread has its own
// generator that starts from the same state and is never seeded, so every run draws the same
// sequence. Everything that draws on a thread (the texture manager too) shares that sequence.

namespace KelpForge::Math
{

// Largest value RandomInt returns.
inline constexpr unsigned int kRandomIntMaximum = 32767;

// The next raw value, 0 to 32767. The first value on a fresh thread is 41.
unsigned int RandomInt();

// From 0 up to but not including 1, in steps of 1/32768.
float RandomFloat();

// From minimumValue up to but not including maximumValue; equal bounds return that bound.
// Reports a minimum above the maximum and still returns a value between the two.
float RandomFloat(float minimumValue, float maximumValue);

} // namespace KelpForge::Math

#endif
