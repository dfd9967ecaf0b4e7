// Opening the game's stored files (the data files and the saves) for reading without ever
// waiting on them: a named pipe in place of a file would block the open until someone writes
// to it, and a device or a directory reads as endless or failing bytes.
#pragma once

#include <cstdio>
#include <string>

// The file at path opened for binary reading, or null with the reason in why: the system's
// error text, or "not a regular file (a named pipe)" and the like. Never blocks. On failure
// errno holds the system's error, or 0 when something other than a regular file stands there,
// so a caller can tell a missing file (ENOENT) from a refused one.
std::FILE* OpenRegularFile(const char* path, std::string* why);
