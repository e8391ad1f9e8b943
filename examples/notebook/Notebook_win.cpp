// The notebook's entry point: a multi-document window with three notes open.
#include "examples/notebook/NotebookForm_win.h"
#include "framework/Application_win.h"
#include "framework/CodePage.h"

#include <windows.h>

#include <exception>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  try {
    TApplication application;
    application.Initialize();
    RegisterNotebookClasses();
    auto* notebook = application.CreateForm<TNotebookForm>();
    notebook->Show();
    for (int i = 0; i < 3; ++i) notebook->NewNote();
    return application.Run();
  } catch (const std::exception& e) {
    const std::u16string message = Utf8ToUtf16(e.what());
    ::MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(message.c_str()), L"Notebook", MB_OK | MB_ICONERROR);
    return 1;
  }
}
