#pragma once
// Tests for files and folders and the creation of a folder path, on the local file system
// through the platform's search and folder creation, paths in the ANSI code page. Each test is
// one search, closed again; nothing is kept.
#include "base/value_types.h"

namespace tavrosk::file_system {

// True when a search for the pattern (wildcards * and ? allowed) finds anything.
VbBool FileExists(const Text& FullPathFileName);
// True when the path names a folder, or a drive root (C:\) with at least one entry. A trailing
// backslash is dropped, except from a three-character text, which is searched as it is.
VbBool PathExists(const Text& Path);
// Creates every folder along the path that PathExists does not find, from the left. Raises the
// platform's error when a folder cannot be made, 6 when a position passes 32,767; folders made
// by earlier steps stay.
void CreatePath(const Text& Path);

}  // namespace tavrosk::file_system
