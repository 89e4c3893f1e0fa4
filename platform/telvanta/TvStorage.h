// The server's storage: a folder whose files the admin service and the file
// transfer reach by server paths relative to its root.
#pragma once

#include "TvDirectory.h"
#include "Telvanta.h"
#include <string>

std::wstring TvAppFolder(long cust, long app);

// The full path of a server path inside the storage root; 0, or the code of
// the refusal (a path that is empty, too long, absolute or leaves the root).
long TvStoragePath(const TvConfig& config, const std::wstring& serverPath, std::wstring& full);

// Writes a copy of a file through a temporary file and a rename, so that a
// failure never leaves a half-written target; a Win32 error or 0.
DWORD TvCopyWhole(const std::wstring& from, const std::wstring& to);
bool TvMakeFolders(const std::wstring& fullFilePath);

// Copies the records of one media file to another media file id.
long TvCopyMediaFile(const TvConfig& config, const std::wstring& source, const std::wstring& target);
// Removes a folder of the storage with everything in it.
void TvRemoveTree(const std::wstring& folder);
