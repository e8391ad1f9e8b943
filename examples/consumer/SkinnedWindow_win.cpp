// The smallest complete program that opens a skinned window: a form, the component that takes
// over its frame, and the skin data loaded from the packed skin the program carries.
// SkinnedWindow.exe --quit-when-idle shows the window, paints it and ends (for scripts/test),
// with exit code 0 when the skin loaded.
#include "framework/Application_win.h"
#include "framework/ClassRegistry.h"
#include "framework/CodePage.h"
#include "framework/Resources_win.h"
#include "skin/data/vnSkinData.h"
#include "skin/data/vnSkinData_win.h"
#include "skin/data/vnSkinDataStoredSkin.h"
#include "skin/form/VeneerForm_win.h"

#include <windows.h>

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  try {
    TApplication application;
    application.Initialize();
    RegisterSkinDataComponents(ClassRegistry());  // skin data tells the forms when its skin changes

    TForm* form = application.CreateForm<TForm>();
    form->SetText(L"Skinned window");
    form->SetPosition(TPosition::poScreenCenter);
    form->SetClientWidth(360);
    form->SetClientHeight(200);

    auto* frame = TComponent::Create<TvnVeneerForm>(form);  // takes over the window's frame
    auto* skin = TComponent::Create<TvnSkinData>(form);
    auto* stored = TComponent::Create<TvnCompressedStoredSkin>(form);
    const std::string file = LoadDataResource(L"SKIN");
    stored->SetCompressedData(BlockOfCompressedSkinFile(
        {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}));
    frame->SetSkinData(skin);
    skin->SetCompressedStoredSkin(stored);  // loads the skin; the frame applies it at once

    if (std::wstring_view(commandLine) == L"--quit-when-idle") {
      form->Show();
      while (application.ProcessMessage()) {
      }
      return skin->SkinEmpty ? 1 : 0;
    }
    return application.Run();
  } catch (const std::exception& e) {  // the engine's errors are exceptions with a message
    const std::u16string message = Utf8ToUtf16(e.what());
    ::MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(message.c_str()), L"Skinned window", MB_ICONERROR);
    return 1;
  }
}
