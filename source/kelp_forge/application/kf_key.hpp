#ifndef KELP_FORGE_APPLICATION_KEY_HPP
#define KELP_FORGE_APPLICATION_KEY_HPP

#include <cstdint>

namespace KelpForge::Application
{

// The keys and mouse buttons the framework knows; every code is below kNumberOfKeys.
enum Key : std::int32_t
{
    kKey0 = 0,
    kKey1,
    kKey2,
    kKey3,
    kKey4,
    kKey5,
    kKey6,
    kKey7,
    kKey8,
    kKey9,
    kKeyA = 10,
    kKeyB,
    kKeyC,
    kKeyD,
    kKeyE,
    kKeyF,
    kKeyG,
    kKeyH,
    kKeyI,
    kKeyJ,
    kKeyK,
    kKeyL,
    kKeyM,
    kKeyN,
    kKeyO,
    kKeyP,
    kKeyQ,
    kKeyR,
    kKeyS,
    kKeyT,
    kKeyU,
    kKeyV,
    kKeyW,
    kKeyX,
    kKeyY,
    kKeyZ,
    kKeySpace = 36,
    kKeyEscape = 37,
    kKeyEnter = 38,
    kKeyUp = 39,
    kKeyDown = 40,
    kKeyLeft = 41,
    kKeyRight = 42,
    kMouseLeft = 43,
    kMouseRight = 44,
    kMouseMiddle = 45,
};

inline constexpr int kNumberOfKeys = 46;

} // namespace KelpForge::Application

#endif
