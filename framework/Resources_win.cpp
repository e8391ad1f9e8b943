#include "framework/Resources_win.h"

#include <windows.h>

#include <stdexcept>

std::string LoadDataResource(const wchar_t* name) {
  HMODULE module = ::GetModuleHandleW(nullptr);
  HRSRC info = ::FindResourceW(module, name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
  if (!info) throw std::runtime_error("the program's resource is missing");
  HGLOBAL loaded = ::LoadResource(module, info);  // not to be freed: part of the loaded image
  const void* data = loaded ? ::LockResource(loaded) : nullptr;
  if (!data) throw std::runtime_error("the program's resource cannot be read");
  return std::string(static_cast<const char*>(data), ::SizeofResource(module, info));
}
