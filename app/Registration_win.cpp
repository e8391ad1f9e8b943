#include "app/Registration_win.h"

#include "app/Unit1_win.h"
#include "skin/data/vnSkinData_win.h"

void RegisterQuillonClasses(TClassRegistry& registry) {
  RegisterSkinDataComponents(registry);
  TForm1::RegisterClass(registry);
}
