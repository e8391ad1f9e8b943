// Quillon's entry point: the application object, the main window from its description, the
// message loop.
#include "app/Registration_win.h"
#include "app/Unit1_win.h"
#include "framework/Application_win.h"
#include "framework/CodePage.h"

#include <windows.h>

#include <exception>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    TApplication application;
    application.Initialize();
    RegisterQuillonClasses(ClassRegistry());
    application.CreateForm<TForm1>();
    return application.Run();
  } catch (const std::exception& e) {
    std::u16string message = Utf8ToUtf16(e.what());
    ::MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(message.c_str()), L"Quillon", MB_OK | MB_ICONERROR);
    return 1;
  }
}
