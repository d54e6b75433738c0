#pragma once

#include <QString>

// Where the program's files live. Every folder path ends with "/".
namespace ravo {

// Name of the per-user folder and of the product.
inline constexpr char kProductFolderName[] = "RAVO TKL RGB";

// $XDG_DATA_HOME (or ~/.local/share) + "/RAVO TKL RGB/", created when missing.
QString UserDataFolder();

// UserDataFolder() + device folder name + "/", created when missing (e.g. "keyboard").
QString DeviceUserFolder(const QString& deviceFolderName);

// The "DefaultData" folder shipped beside the program (or under share/ravo-tkl-rgb of an
// installed program), unless overridden.
QString ProgramDataFolder();

// Points ProgramDataFolder() at another folder (tests); an empty path restores the default.
void SetProgramDataFolder(const QString& folder);

// ProgramDataFolder() + device folder name + ".Json".
QString DefaultProfilePathFor(const QString& deviceFolderName);

}  // namespace ravo
