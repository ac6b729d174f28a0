#pragma once
// Values of the settings pages in the form the store keeps them.

#include <cstdint>
#include <string>
#include <string_view>

namespace wabunko {

// The backup folder as stored: a folder ends in "/", so that a backup's path is the folder
// followed by the file's name. Empty stays empty: the backup then goes beside the file.
std::string storedBackUpDirectory(std::string_view folder);

}  // namespace wabunko
