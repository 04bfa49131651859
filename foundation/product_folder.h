// The product folder: the folder from which ACE.dll was loaded into this process.
#pragma once

#include <string>

// The full path of the first loaded module whose file name equals name, ignoring the
// case of A to Z; empty when none is loaded.
std::u16string GetModulePathByName(const std::u16string& name);

// The folder of the loaded ACE.dll, without a trailing backslash; empty when it is not
// loaded.
std::u16string GetProductFolder();

// Makes the product folder the current directory again; when it is empty or cannot be
// entered, the current directory stays.
void RestoreWorkingFolder();

// The path with ".bak" appended.
std::u16string MakeBackupPath(const std::u16string& path);
