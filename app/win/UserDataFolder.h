#pragma once
#include <string>

namespace qor {
// The parent product's per-user data folder: local application data + "\Corvane\" (with a trailing backslash).
std::wstring ParentDataFolder();
}  // namespace qor
