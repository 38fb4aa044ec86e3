#pragma once

// A writer killed between writing its temporary file and renaming it into place leaves
// that file for good (where the folder cannot hold unnamed files, as on sshfs, for the
// whole of the write). Only QSaveFile's own names for this very file are taken: the name,
// ".", six letters; and only a plain file, not a link, this old, so that no write still
// under way loses it. Its letters are drawn at random from both cases; a word a person
// wrote ("backup", "BACKUP", "Backup") is written in one case or capitalised, and is kept,
// at the price of leaving the one leftover in twenty that happens to look like one.

#include <QString>

namespace minamo {

inline constexpr qint64 leftOverAgeSeconds = 60;

// Whether a file of that name beside the file `name` may be QSaveFile's leftover of it.
bool isSaveFileLeftOver(const QString& candidate, const QString& name);

} // namespace minamo
