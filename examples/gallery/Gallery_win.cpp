// The gallery's entry point: Gallery.exe [SKIN], where SKIN is a skin description (skin.ini with
// its pictures beside it) or a compressed skin file; without one it opens with the skin Quillon
// carries.
#include "examples/gallery/GalleryForm_win.h"
#include "framework/Application_win.h"
#include "framework/CodePage.h"

#include <windows.h>
#include <shellapi.h>

#include <exception>
#include <filesystem>

namespace {

std::filesystem::path SkinFileFromCommandLine() {
  int count = 0;
  wchar_t** args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::filesystem::path skin;
  if (args && count > 1) skin = args[1];
  if (args) ::LocalFree(args);
  return skin;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    TApplication application;
    application.Initialize();
    RegisterGalleryClasses();
    application.CreateForm<TGalleryForm>(SkinFileFromCommandLine());
    return application.Run();
  } catch (const std::exception& e) {
    const std::u16string message = Utf8ToUtf16(e.what());
    ::MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(message.c_str()), L"Gallery", MB_OK | MB_ICONERROR);
    return 1;
  }
}
