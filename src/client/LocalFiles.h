#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "base/DateTime.h"
#include "feed/Manifest.h"

namespace tolvar {

// The update client's operations on local files, on the Win32 file API. File times are the
// platform's last-write times, read and written as packed local DOS date-times (2-second
// steps, 1980 to 2107).

// Creates the missing directories along `path`: for every "\" after the third character, the
// prefix before it. A final component without a "\" after it is not created. Raises
// EInOutError when a directory cannot be created, or would be longer than the platform allows.
void CreateDirPath(const std::string& path);

// Creates the directory itself and its missing parents. Unlike CreateDirPath, a creation that
// fails is not reported here (whoever writes into the directory finds out); only a path without
// any directory ("Unable to create directory") or one longer than the platform allows raises
// EInOutError.
void CreateDirectoryWithParents(std::string dir);

// The path without its last component, with its "\" (or the drive's ":"); empty when the path
// has none.
std::string DirectoryPart(const std::string& path);

// Deletes every directory entry matching the mask's last component ("*", "?"), whatever its
// attributes; what cannot be deleted stays. Never fails.
void DeleteMatchingFiles(const std::string& mask);

// Deletes the file if it exists (not a directory); failures are ignored.
void DeleteIfExists(const std::string& path);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);

// The packed local last-write time of a file; none for a missing path, a directory, or a time
// outside the packed range.
std::optional<uint32_t> FileAge(const std::string& path);

// Sets the file's last-write time to Date plus Time (local). Nothing happens when the file
// cannot be opened for writing or the date cannot be packed; a Date or Time that does not
// convert raises EConvertError.
void StampFileTime(const std::string& path, const std::string& date, const std::string& time);

// Whether the listed file must be fetched: it is missing, or its time or size differs from the
// list. Times compare at the packed 2-second resolution, so a listed odd second matches the
// stamp it produces. Raises when the file exists but cannot be opened, or when Date, Time or
// (for a matching time) Size does not convert.
bool NeedsDownload(const std::string& directory, const std::string& fileName, const std::string& size,
                   const std::string& date, const std::string& time);

// The SHA-256 of a local file's bytes, or none when it cannot be opened or read.
std::optional<Sha256Digest> Sha256OfLocalFile(const std::string& path);

// Whether two paths name the same file, as the platform resolves them (case, "." and "..",
// either separator).
bool SameLocalPath(const std::string& a, const std::string& b);

// The process's current directory, without a trailing "\".
std::string CurrentDir();
// A file of the current directory, as the client names its own executables.
std::string InCurrentDir(const std::string& name);

}  // namespace tolvar
