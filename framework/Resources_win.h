#pragma once
// Data compiled into the program as resources.
#include <string>

// The bytes of an RCDATA resource of the program; throws std::runtime_error if it is missing.
std::string LoadDataResource(const wchar_t* name);
