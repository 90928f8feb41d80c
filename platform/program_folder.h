#pragma once
// The program folder and the folder values stored in settings.

#include <string>

namespace platform {

// The folder of the running executable with a trailing "/". Tests and tools may
// override it (an empty value returns to the executable's folder).
std::string ProgramFolder();
void SetProgramFolder(const std::string& folder);

// The files that come with the programs: the data files (data folder, help file,
// kelvor's tables and books) and the player libraries (the players folder).
enum class ProgramFiles { Data, Libraries };

// Where the files of kind `part` lie for programs in `programFolder`. A build folder or
// an unpacked archive keeps them all in the program folder itself. An installed program
// (`programFolder` is PREFIX/bin/, PREFIX/share/vorlix/ exists and the program folder
// holds no "data/" of its own) finds its data files in PREFIX/share/vorlix/ and its
// libraries in PREFIX/lib/vorlix/. Always ends with "/".
std::string FilesFolder(const std::string& programFolder, ProgramFiles part);

// The files the programs write: the settings file, and the user's data (saved games,
// the engines' game dump).
enum class UserFiles { Settings, Data };

// Where the programs write files of kind `kind`: the program folder itself when it is no
// installed program's (see FilesFolder) and the user may write there; otherwise
// $XDG_CONFIG_HOME/vorlix/ (Settings, default ~/.config/vorlix/) or $XDG_DATA_HOME/vorlix/
// (Data, default ~/.local/share/vorlix/), created when missing. Relative or empty XDG
// values are ignored, as the XDG base directory rules say. Always ends with "/".
std::string UserFolder(const std::string& programFolder, UserFiles kind);

// Folder values use "/"; a stored backslash is read as "/". A value is absolute
// when it starts with "/" or contains ":"; any other value is relative to the
// program folder.
std::string NormaliseSeparators(std::string value);
bool IsAbsoluteFolder(const std::string& value);

} // namespace platform
