#pragma once

// Small text and number helpers shared by every procedure of the drill.
// Character positions are counted from 1, as the drill's texts are described.

#include "platform/platform.h"

#include <QString>
#include <cstdint>

namespace minamo {

// Round to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// roundHalfEven, then clamped into the 16-bit signed range.
std::int16_t roundToInt16(double value);

// Clamp an integer result into the 16-bit signed range.
std::int16_t clampToInt16(long long value);

// The number at the start of a text: optional blanks, a sign, digits, a decimal part and
// an exponent. "+5" -> 5, "5x" -> 5, "-" -> 0, "x" -> 0, " 12" -> 12, "" -> 0.
double leadingNumber(const QString& text);

// Plain decimal text of an integer: -5, 12.
QString decimalText(long long value);

// Decimal text with a blank in front of a number that is not negative: " 12", "-5".
QString blankSignedText(long long value);
QString blankSignedText(double value);

// Prints a number at the pen as the classic picture box does: blankSignedText.
void printNumber(PictureArea& area, double value, LineEnd end);

// 1-based position of the first occurrence of needle at or after start; 0 when none.
int positionOf(const QString& text, const QString& needle, int start = 1);

// Characters start..start+count-1 (1-based); the whole rest when count < 0.
QString midText(const QString& text, int start, int count = -1);

// The first count characters / the last count characters (never more than the text holds).
QString leftText(const QString& text, int count);
QString rightText(const QString& text, int count);

} // namespace minamo
