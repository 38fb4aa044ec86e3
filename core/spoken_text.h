#pragma once

// The drill's texts as a person reads them aloud, for the spoken text of the picture areas.

#include <QString>

namespace minamo {

// A written problem, answer or step as it is read aloud in Japanese: a fraction N/D reads
// "D分のN" (denominator first, as the pupil types it and as Japanese says it; "3/2" would
// otherwise be read as a date or as "slash"), an exponent "^c" reads "のc乗". A letter
// after a denominator stands after the fraction, as it is drawn: "1/3x" reads "3分の1x".
// Everything else is kept as written.
QString spokenForm(const QString& written);

// A record of the history chart: "26年12月9日 方程式基本1 12点" from the date yymmdd, the
// record name (its ".txt" is not read) and the score. A date that is not six digits is
// read as it is written.
QString spokenRecord(const QString& date, const QString& recordName, int score);

} // namespace minamo
