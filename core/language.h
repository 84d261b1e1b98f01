// The language of a version: which language its notes and game voice speak.
#pragma once

#include <string>

// The language tag of `version` (for example "en", "fr"): the first line of
// "./<version>/language", "en" when the version has no such file or it is empty.
std::string version_language(const std::string &version);
