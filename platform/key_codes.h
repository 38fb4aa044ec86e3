#pragma once

#include <QString>
#include <cstdint>

namespace minamo {

namespace key {
inline constexpr std::int16_t consumed = 0;
inline constexpr std::int16_t backspace = 8;
inline constexpr std::int16_t tab = 9;
inline constexpr std::int16_t enter = 13;
inline constexpr std::int16_t escape = 27;
} // namespace key

// The key code the answer box reports for one typed character: the ASCII code for ASCII,
// otherwise the character's Japanese (Shift_JIS) code as a signed 16-bit number, so a
// double-byte character gives a negative code. A character without such a code gives -1.
std::int16_t keyCodeForCharacter(QChar character);

// The character a key code stands for when the box inserts a passed-through key; empty
// for Backspace, control codes and codes that stand for no character.
QString characterForKeyCode(std::int16_t code);

} // namespace minamo
