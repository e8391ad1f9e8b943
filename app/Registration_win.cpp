#include "app/Registration_win.h"

#include "app/Unit1_win.h"
#include "skin/data/vnSkinData_win.h"
#include "skin/form/VeneerForm_win.h"

void RegisterQuillonClasses(TClassRegistry& registry) {
  RegisterSkinDataComponents(registry);
  RegisterVeneerFormClasses(registry);
  TForm1::RegisterClass(registry);
}
