#ifndef KELP_FORGE_CORE_JSON_PARSER_HPP
#define KELP_FORGE_CORE_JSON_PARSER_HPP

// Loading JSON text into DynamicStructure values.
//
// The accepted syntax is forgiving in some places and strict in others:
// - the whole text must be one object or one array; anything else gives nil;
// - object keys come back sorted byte-wise, a repeated key keeps its last value, and a null
//   member reads the same as a missing one;
// - arrays drop null elements and empty places, so a trailing comma in an array is harmless,
//   while a trailing comma in an object breaks the object;
// - whole numbers within 32 bits arrive as integers, all other numbers as floats;
// - string values lose surrounding white space; \uXXXX gives the single byte of its last two
//   hex digits; keys are taken raw, without decoding escapes;
// - malformed text is not reported: the innermost broken object or array becomes nil (a broken
//   top level gives nil), and containers nested more than kMaximumJsonNestingDepth (256) levels
//   deep count as broken.
// Loaders check the shape of the result themselves.

#include "kelp_forge/core/kf_dynamic_structure.hpp"

#include <string>
#include <string_view>

namespace KelpForge::Core
{

// Reads the whole file and parses it. A file that cannot be opened (or is not a regular file) is
// reported with "Was unable to load json file: %s\n", one larger than 256 MiB or than the memory
// at hand with "Was unable to allocate memory to load json file: %s"; both give nil. The text ends
// at the first zero byte.
[[nodiscard]] DynamicStructure LoadJsonFile(const std::string& filepath);

// Parses jsonText, which need not outlive the call.
[[nodiscard]] DynamicStructure ParseJson(std::string_view jsonText);

} // namespace KelpForge::Core

#endif
